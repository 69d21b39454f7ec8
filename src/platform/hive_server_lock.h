#pragma once

#include <string>
#include <vector>

// Wine's server keeps a prefix's registry in memory and writes its hive files when it exits, so a
// change written beside it would be lost. While it runs it holds a lock on the file "lock" in
// its folder <server root>/server-<device>-<inode>/, named after the prefix folder's device and
// inode numbers in hexadecimal.
namespace platform {

// The server roots Wine may use for a prefix: the folder under /tmp that the prefix's file
// "wineserver" names (Wine makes such a folder when it runs as root), and /tmp/.wine-<uid>.
std::vector<std::string> WineServerRoots(const std::string& prefixFolder);

// The folder of the server for a prefix under a server root; "" when the prefix folder does not
// exist.
std::string WineServerFolder(const std::string& prefixFolder, const std::string& serverRoot);

// Whether a server holds the lock of the prefix's server folder under one of the roots.
bool WineServerRuns(const std::string& prefixFolder, const std::vector<std::string>& serverRoots);

}  // namespace platform
