#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// The floor of each phase: the bare loop's reading and cutting of the same definition file with
// the program's own record functions, its existence test replaced by the raw one on what was
// prepared beforehand, outside the timing. Each floor returns the number of hits.
namespace bench {

// The host path of what each record names, in record order, resolved to its files' real names.
using ResolvedTargets = std::vector<std::string>;
ResolvedTargets ResolveFileTargets();
ResolvedTargets ResolveFolderTargets();

// A stat() of each resolved path: a regular file, a folder.
int FileFloor(const ResolvedTargets& targets);
int FolderFloor(const ResolvedTargets& targets);

// The machine's and the user's hive files, parsed: every key by its upper-case "root code\path",
// with the upper-case names of its values that read as text or number.
using HiveKeyIndex = std::unordered_map<std::string, std::unordered_set<std::string>>;
HiveKeyIndex IndexHiveFiles();

// One hash-map look-up per key or value record.
int RegistryFloor(const HiveKeyIndex& keys);

// One pass over the running programs into a set of their paths, then one look-up per record.
int ProcessFloor();

}  // namespace bench
