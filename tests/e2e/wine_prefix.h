#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "e2e/commands.h"
#include "support/utf16_le.h"

// A real Wine prefix made by Wine's own tools, driven through Wine's own commands. Wine runs
// headless: no display, no runtime installers.
namespace e2e {

class WinePrefix {
  public:
    // Makes the prefix in the (new) folder with wineboot and waits until Wine's server has
    // written the hives and ended.
    explicit WinePrefix(std::filesystem::path folder);
    ~WinePrefix();
    WinePrefix(const WinePrefix&) = delete;
    WinePrefix& operator=(const WinePrefix&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    // The environment Wine's tools (and the program) need to use this prefix.
    ChildEnvironment Environment() const;

    // Runs a Wine command (wine, wineserver, wineboot) on this prefix; fails the test when it
    // does not end in time.
    CommandResult Run(const std::vector<std::string>& command,
                      std::chrono::seconds timeout = std::chrono::seconds(180)) const;

    // Starts a Windows program of the prefix (a Wine command) and leaves it running; what it prints
    // goes to the output file.
    std::unique_ptr<BackgroundProcess> RunInBackground(const std::vector<std::string>& command,
                                                       const std::filesystem::path& output) const;

    // Ends Wine's server and waits until it has written the hives: only then may another program
    // read or write them.
    void StopServer() const;

    // `wine reg add`: a text value (REG_SZ unless a type is given); an empty name is the key's
    // default value.
    void AddValue(const std::string& key, const std::string& name, const std::string& data,
                  const std::string& type = "REG_SZ") const;
    // `wine reg query`: the data of a value as reg prints it, nothing when it is missing.
    std::optional<std::string> QueryValue(const std::string& key, const std::string& name) const;
    bool KeyExists(const std::string& key) const;
    // `wine reg export` of a root key ("HKLM", "HKCU", "HKU\.Default") as UTF-8 text.
    std::string Export(const std::string& root) const;

    // The host path of a path on drive C: ("C:\users\...").
    std::filesystem::path HostPath(const std::string& windowsPath) const;
    // The account's profile folder as Wine named it ("C:\users\root").
    std::string UserProfile() const;

  private:
    std::filesystem::path folder_;
};

// Wine's export format is UTF-16LE with a byte-order mark.
using test_support::Utf8FromUtf16Le;

}  // namespace e2e
