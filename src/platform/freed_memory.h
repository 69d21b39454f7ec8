#pragma once

// The C library keeps memory the program has freed for its next allocations, resident. After work
// that held much and let it go (a whole scan holds the lines of each definition file in turn), the
// program gives those pages back, so that it does not sit in the tray at the size of its busiest
// moment.
namespace platform {

void ReturnFreedMemory();

}  // namespace platform
