#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/removal_guard.h"

// Quarantine: before a removal deletes a file, a library, a folder or a cookie file it puts a copy
// into the program folder's quarantine folder (quarantine_log.h), flat, under the entry's own name.
// Every operation here takes the removal guard's check of its path (removal_guard.h) and acts only
// on the entry the guard held when it allowed the removal, copying and deleting that very entry
// through descriptors; a check that allowed nothing takes nothing. Nothing is deleted unless its
// copy is in place. An earlier copy of the same name is never replaced: a different file gets the
// first free name of "a.dll.1", "a.dll.2", ..., and a file whose content is already there under its
// name (or one of those) is not copied again; a file that is such a copy itself is not taken. The
// log names the copy a file got. A file gets one entry from a removal, and only when the removal
// copied it or removed it: a file that stays in place and whose copy stood there already from an
// earlier removal was not touched. A FIFO, socket or device is never opened, copied or deleted.

// The names a file or folder may get in the quarantine folder, tried in order from attempt 0:
// name, name.1, name.2, ...
std::string QuarantineNameCandidate(std::string_view name, int attempt);

// A folder on the quarantine's file system is moved there in one rename. From another one it is
// copied under a hidden name, ".<name>.partial", and takes its own name once whole; a copy cut
// short keeps the hidden name.
std::string PartialFolderCopyName(std::string_view name);
bool IsPartialFolderCopyName(std::string_view name);

// A file removed in up to eight passes (one for a file that goes at once), yielding after each;
// its copy is made once. False when no file of that name is at path; otherwise whether
// a deletion was tried, which it is not without a copy.
bool QuarantineFile(std::string_view path, const RemovalCheck& check, std::string_view name);

// What StopAndQuarantineFile and QuarantineAndDeleteModule report.
inline constexpr int kFileNotPresent = -1;
inline constexpr int kFileNotRemoved = 0;  // no "\" in the path, no copy, or not deleted
inline constexpr int kFileRemoved = 1;     // StopAndQuarantineFile: a deletion was tried
inline constexpr int kProgramStillRunning = 2;

// A program file: the program is stopped first, then the file quarantined.
int StopAndQuarantineFile(std::string_view path, const RemovalCheck& check);

// A library: unregistered, copied, deleted once.
int QuarantineAndDeleteModule(std::string_view path, const RemovalCheck& check,
                              std::int32_t windowHandle);

// A file or a folder (a trailing "\" allowed); a folder lands as one sub-folder with all its
// contents and is not logged; one holding a file in use, a FIFO, socket or device stays. False
// when nothing is at path.
bool QuarantinePath(std::string_view path, const RemovalCheck& check);

// A library as the removal takes it: QuarantineAndDeleteModule, then QuarantinePath for a library
// that resisted, the two giving it one log entry at most.
void QuarantineLibrary(std::string_view path, const RemovalCheck& check, std::int32_t windowHandle);

// A cookie file: copied, then deleted.
void QuarantineAndKillFile(std::string_view path, const RemovalCheck& check);
