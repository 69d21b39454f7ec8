#pragma once

// The temporary files a copy of the program leaves behind when it is killed while it writes:
// in the program folder and the quarantine (and a folder copy cut short there), in the restore
// points (and a restore point cut short), beside the prefix's hives, the per-user settings and the
// autostart entry. Only the program's own names are touched; the caller makes sure that no other
// copy of the program runs, whose files these might be.
void RemoveLeftoverTemporaryFiles();
