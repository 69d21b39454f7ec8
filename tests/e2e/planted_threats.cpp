#include "e2e/planted_threats.h"

#include <filesystem>
#include <fstream>

namespace e2e {

namespace {

const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Each planted file says where it was put, so a quarantine copy can be told from any other file.
PlantedFile FileAt(const std::string& path, bool onlyInNamedFolder = false) {
    return {path, "planted at " + path + "\r\n", onlyInNamedFolder};
}

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

}  // namespace

PlantedThreats::PlantedThreats(const WinePrefix& prefix) : prefix_(prefix) {
    const std::string profile = prefix.UserProfile();
    const std::string appData = profile + "\\AppData\\Roaming";
    const std::string startup = appData + "\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp";

    namedValues_ = {
        {"HKCU\\" + kRun, "PingBeacon", "C:\\Program Files\\PingBeacon\\pingbeacon.exe"},
        {"HKLM\\" + kRun, "TrayHelperX", appData + "\\TrayHelperX\\trayhelperx.exe"},
        {"HKCU\\Software\\Microsoft\\Internet Explorer\\Toolbar",
         "{B11NKBAR-0000-4000-8000-000000000001}", "Blinkbar"},
        {"HKLM\\Software\\DialMore", "InstallDir", "C:\\windows\\system32"},
    };
    namedKeys_ = {
        {"HKLM\\Software\\PingBeacon", "Channel", "nightly"},
        {"HKCU\\Software\\TrayHelperX", "Mode", "silent"},
        {"HKLM\\Software\\Blinkbar\\Toolbar", "Position", "top"},
        {"HKCU\\Software\\SearchSwap", "Engine", "http://searchswap.example/?q="},
        {"HKCR\\SearchSwap.Helper", "", "SearchSwap helper object"},
    };
    neighbourValues_ = {
        {"HKCU\\" + kRun, "NotesSync", "C:\\Program Files\\Notes\\sync.exe"},
        {"HKLM\\" + kRun, "PrinterTray", "C:\\Program Files\\Printer\\tray.exe"},
        {"HKLM\\Software\\DialMore", "Phonebook", "C:\\users\\phonebook.txt"},
        // The parent of a named key keeps what is its own.
        {"HKLM\\Software\\Blinkbar", "Vendor", "Blinkbar Ltd"},
        {"HKCU\\Software\\Microsoft\\Internet Explorer\\Toolbar", "Locked", "1"},
        {"HKCU\\Software\\SearchSwapNotes", "Kept", "yes"},
    };

    namedFolders_ = {"C:\\Program Files\\PingBeacon", appData + "\\TrayHelperX",
                     "C:\\SearchSwap", "C:\\ProgramData\\Blinkbar"};
    namedFiles_ = {
        FileAt("C:\\Program Files\\PingBeacon\\pingbeacon.exe"),
        FileAt("C:\\Program Files\\PingBeacon\\pbhook.dll"),
        FileAt("C:\\Program Files\\PingBeacon\\pbupdate.exe"),
        FileAt("C:\\Program Files\\PingBeacon\\settings.ini", true),
        FileAt("C:\\windows\\system32\\blinkbar.dll"),
        FileAt(appData + "\\TrayHelperX\\trayhelperx.exe"),
        FileAt("C:\\windows\\system32\\dialmore.exe"),
        FileAt("C:\\windows\\dialmore.ini"),
        FileAt("C:\\SearchSwap\\searchswap.exe"),
        FileAt(startup + "\\swapstart.lnk"),
        FileAt("C:\\ProgramData\\Blinkbar\\toolbar.cfg", true),
    };
    neighbourFiles_ = {
        FileAt("C:\\windows\\dialmore.txt"),
        FileAt("C:\\windows\\system32\\blinkbar.dll.txt"),
        FileAt("C:\\Program Files\\PingBeaconViewer\\viewer.exe"),
        FileAt(startup + "\\notes.lnk"),
        FileAt(appData + "\\Notes\\trayhelperx.exe"),
    };
}

void PlantedThreats::Plant() const {
    for (const auto* values : {&namedValues_, &namedKeys_, &neighbourValues_}) {
        for (const PlantedValue& value : *values) {
            prefix_.AddValue(value.key, value.name, value.data);
        }
    }
    // A named key goes with everything below it.
    for (const PlantedValue& key : namedKeys_) {
        prefix_.AddValue(key.key + "\\Details", "Installed", "1");
    }
    for (const auto* files : {&namedFiles_, &neighbourFiles_}) {
        for (const PlantedFile& file : *files) {
            WriteFileInto(prefix_, file);
        }
    }
}

std::set<std::string> PlantedThreats::ThreatNames() const {
    return {"PingBeacon Tracker", "TrayHelper X", "Blinkbar Toolbar", "DialMore Dialer",
            "SearchSwap Hijacker"};
}

std::set<RegistryEntry> PlantedThreats::EntriesToRemove(const RegistrySnapshot& before) const {
    std::set<RegistryEntry> entries;
    for (const PlantedValue& value : namedValues_) {
        const auto named = before.Value(ExportedKeyPath(value.key), value.name);
        entries.insert(named.begin(), named.end());
    }
    for (const PlantedValue& key : namedKeys_) {
        const auto tree = before.KeyTree(ExportedKeyPath(key.key));
        entries.insert(tree.begin(), tree.end());
    }
    return entries;
}

std::string ExportedKeyPath(const std::string& key) {
    const std::string root = key.substr(0, key.find('\\'));
    const std::string rest = key.substr(root.size());
    const std::string lowerRoot = Lower(root);
    if (lowerRoot == "hkcu") {
        return "HKEY_CURRENT_USER" + rest;
    }
    if (lowerRoot == "hklm") {
        return "HKEY_LOCAL_MACHINE" + rest;
    }
    if (lowerRoot == "hkcr") {
        return "HKEY_LOCAL_MACHINE\\Software\\Classes" + rest;
    }
    return key;
}

void WriteFileInto(const WinePrefix& prefix, const PlantedFile& file) {
    const std::filesystem::path path = prefix.HostPath(file.path);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << file.content;
}

}  // namespace e2e
