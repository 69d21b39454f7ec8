#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

// What must hold after any fault, whatever the program was doing when it struck.

// The file is where it was with its content, or the quarantine folder holds a complete copy of
// it (under its name or a numbered one).
::testing::AssertionResult StillThereOrQuarantined(const std::filesystem::path& original,
                                                   const std::string& content,
                                                   const std::filesystem::path& quarantine);

// The file holds exactly one of the contents (a missing file counts as the empty content only
// when "" is among them).
::testing::AssertionResult HoldsOneOf(const std::filesystem::path& file,
                                      const std::vector<std::string>& contents);

// A hive file in Wine's format that reads without a line it could not understand.
::testing::AssertionResult HiveReadsWhole(const std::filesystem::path& hive);

// The files of a folder and their contents, to compare a folder before and after.
std::vector<std::pair<std::string, std::string>> FolderContents(
    const std::filesystem::path& folder);
