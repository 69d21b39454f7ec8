#pragma once

#include <string>
#include <vector>

// The definition set the benchmarks scan: 100,000 records of every kind, one in a hundred naming
// something that the bench machine holds (bench_machine.h plants those).
namespace bench {

inline constexpr int kRecords = 100'000;
inline constexpr int kHitEvery = 100;
inline constexpr int kCookieFiles = 1'000;

// Decoded lines of each definition file.
std::vector<std::string> FileRecords();
std::vector<std::string> FolderRecords();
std::vector<std::string> RegistryRecords();
std::vector<std::string> ProgramRecords();
std::vector<std::string> BlockedCookieRecords();

// The bytes of a definition file holding the lines: encoded, 8-bit, CR LF.
std::string EncodedDefinitionFile(const std::vector<std::string>& lines);

// Where record i's hit lives, for planting.
std::string VendorFolder(int i);     // below C:\Program Files
std::string RegistryKeyPath(int i);  // below HKEY_LOCAL_MACHINE
std::string CookieHost(int i);       // the cookie file of site i

}  // namespace bench
