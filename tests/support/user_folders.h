#pragma once

#include <array>
#include <utility>

namespace test_support {

// The per-user folders, as (environment variable, folder name), that a test run, a benchmark or a
// program started by a test gets of its own below one temporary folder, so that nothing of the real
// user's is read or touched.
inline constexpr std::array<std::pair<const char*, const char*>, 5> kUserFolderVariables = {{
    {"HOME", "home"},
    {"XDG_CONFIG_HOME", "config"},
    {"XDG_DATA_HOME", "data"},
    {"XDG_CACHE_HOME", "cache"},
    {"XDG_RUNTIME_DIR", "runtime"},
}};

}  // namespace test_support
