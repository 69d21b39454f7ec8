#include "e2e/planted_threats.h"

#include <filesystem>
#include <fstream>

namespace e2e {

namespace {

const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

const std::string kPingBeacon = "PingBeacon Tracker";
const std::string kTrayHelper = "TrayHelper X";
const std::string kBlinkbar = "Blinkbar Toolbar";
const std::string kDialMore = "DialMore Dialer";
const std::string kSearchSwap = "SearchSwap Hijacker";

// Each planted file says where it was put, so a quarantine copy can be told from any other file.
PlantedFile FileAt(const std::string& threat, const std::string& path,
                   bool onlyInNamedFolder = false) {
    return {threat, path, "planted at " + path + "\r\n", onlyInNamedFolder};
}

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// The items of the list whose threat is chosen.
template <class Item>
std::vector<Item> Chosen(std::vector<Item> items, const std::set<std::string>& threats) {
    std::erase_if(items, [&](const Item& item) { return !threats.contains(item.threat); });
    return items;
}

}  // namespace

ThreatChoice EveryTrace() {
    const std::set<std::string> all = {kPingBeacon, kTrayHelper, kBlinkbar, kDialMore, kSearchSwap};
    return {all, all};
}

PlantedThreats::PlantedThreats(const WinePrefix& prefix, const ThreatChoice& choice)
    : prefix_(prefix) {
    const std::string profile = prefix.UserProfile();
    const std::string appData = profile + "\\AppData\\Roaming";
    const std::string startup = appData + "\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp";

    namedValues_ = Chosen<PlantedValue>(
        {
            {kPingBeacon, "HKCU\\" + kRun, "PingBeacon",
             "C:\\Program Files\\PingBeacon\\pingbeacon.exe"},
            {kTrayHelper, "HKLM\\" + kRun, "TrayHelperX",
             appData + "\\TrayHelperX\\trayhelperx.exe"},
            {kBlinkbar, "HKCU\\Software\\Microsoft\\Internet Explorer\\Toolbar",
             "{B11NKBAR-0000-4000-8000-000000000001}", "Blinkbar"},
            {kDialMore, "HKLM\\Software\\DialMore", "InstallDir", "C:\\windows\\system32"},
        },
        choice.inRegistry);
    namedKeys_ = Chosen<PlantedValue>(
        {
            {kPingBeacon, "HKLM\\Software\\PingBeacon", "Channel", "nightly"},
            {kTrayHelper, "HKCU\\Software\\TrayHelperX", "Mode", "silent"},
            {kBlinkbar, "HKLM\\Software\\Blinkbar\\Toolbar", "Position", "top"},
            {kSearchSwap, "HKCU\\Software\\SearchSwap", "Engine", "http://searchswap.example/?q="},
            {kSearchSwap, "HKCR\\SearchSwap.Helper", "", "SearchSwap helper object"},
        },
        choice.inRegistry);
    neighbourValues_ = {
        {"", "HKCU\\" + kRun, "NotesSync", "C:\\Program Files\\Notes\\sync.exe"},
        {"", "HKLM\\" + kRun, "PrinterTray", "C:\\Program Files\\Printer\\tray.exe"},
        {"", "HKLM\\Software\\DialMore", "Phonebook", "C:\\users\\phonebook.txt"},
        // The parent of a named key keeps what is its own.
        {"", "HKLM\\Software\\Blinkbar", "Vendor", "Blinkbar Ltd"},
        {"", "HKCU\\Software\\Microsoft\\Internet Explorer\\Toolbar", "Locked", "1"},
        {"", "HKCU\\Software\\SearchSwapNotes", "Kept", "yes"},
    };

    namedFolders_ = Chosen<PlantedFolder>(
        {
            {kPingBeacon, "C:\\Program Files\\PingBeacon"},
            {kTrayHelper, appData + "\\TrayHelperX"},
            {kSearchSwap, "C:\\SearchSwap"},
            {kBlinkbar, "C:\\ProgramData\\Blinkbar"},
        },
        choice.onDisk);
    namedFiles_ = Chosen<PlantedFile>(
        {
            FileAt(kPingBeacon, "C:\\Program Files\\PingBeacon\\pingbeacon.exe"),
            FileAt(kPingBeacon, "C:\\Program Files\\PingBeacon\\pbhook.dll"),
            FileAt(kPingBeacon, "C:\\Program Files\\PingBeacon\\pbupdate.exe"),
            FileAt(kPingBeacon, "C:\\Program Files\\PingBeacon\\settings.ini", true),
            FileAt(kBlinkbar, "C:\\windows\\system32\\blinkbar.dll"),
            FileAt(kTrayHelper, appData + "\\TrayHelperX\\trayhelperx.exe"),
            FileAt(kDialMore, "C:\\windows\\system32\\dialmore.exe"),
            FileAt(kDialMore, "C:\\windows\\dialmore.ini"),
            FileAt(kSearchSwap, "C:\\SearchSwap\\searchswap.exe"),
            FileAt(kSearchSwap, startup + "\\swapstart.lnk"),
            FileAt(kBlinkbar, "C:\\ProgramData\\Blinkbar\\toolbar.cfg", true),
        },
        choice.onDisk);
    neighbourFiles_ = {
        FileAt("", "C:\\windows\\dialmore.txt"),
        FileAt("", "C:\\windows\\system32\\blinkbar.dll.txt"),
        FileAt("", "C:\\Program Files\\PingBeaconViewer\\viewer.exe"),
        FileAt("", startup + "\\notes.lnk"),
        FileAt("", appData + "\\Notes\\trayhelperx.exe"),
    };
    threatNames_ = choice.inRegistry;
    threatNames_.insert(choice.onDisk.begin(), choice.onDisk.end());
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
