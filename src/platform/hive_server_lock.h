#pragma once

#include <string>

// Wine's server keeps a prefix's registry in memory and writes its hive files when it exits, so a
// change written beside it would be lost. While it runs it holds a lock on the file "lock" in
// its folder <server root>/server-<device>-<inode>/, named after the prefix folder's device and
// inode numbers in hexadecimal.
namespace platform {

// "/tmp/.wine-<uid>", where Wine keeps its servers' folders.
std::string DefaultWineServerRoot();

// The folder of the server for a prefix; "" when the prefix folder does not exist.
std::string WineServerFolder(const std::string& prefixFolder, const std::string& serverRoot);

// Whether a server holds the lock of the prefix's server folder.
bool WineServerRuns(const std::string& prefixFolder, const std::string& serverRoot);

}  // namespace platform
