#pragma once

// The bare cost of each scan phase: a plain loop over the same definition file that decodes and
// cuts each record with the program's own record functions and makes the same existence test on
// the same prefix, with no window, no yields to the loop, no progress and no result rows. Each
// returns the number of hits, so the work cannot be left out.
namespace bench {

int BareFileScan();
int BareFolderScan();
int BareRegistryScan();
// One pass over the running processes, their program paths looked up among the definitions.
int BareProcessScan();
// One pass over the cookie folder, each cookie's domain looked up among the blocked hosts.
int BareCookieScan();

}  // namespace bench
