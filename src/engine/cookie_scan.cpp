#include "engine/cookie_scan.h"

#include <cmath>
#include <vector>

#include "engine/cookie_files.h"
#include "engine/globals.h"
#include "engine/result_rows.h"
#include "engine/scan_progress.h"
#include "forms/host.h"
#include "foundation/cookie_hosts.h"
#include "foundation/definition_files.h"
#include "foundation/exclusion_list.h"
#include "foundation/file_queries.h"
#include "foundation/path_text.h"
#include "foundation/program_error.h"
#include "platform/machine.h"
#include "ui/frm_main.h"

namespace {

constexpr int CSIDL_COOKIES = 33;
constexpr std::string_view kNoDomain = "False";
// A cookie file holds a few cookies of a few hundred bytes each; a larger file is none.
constexpr std::size_t kCookieFileLimit = 1024 * 1024;

// The host patterns of BlockedCookies.dat, in file order; none when the file is missing or cannot
// be read, so that no cookie is listed.
std::vector<std::string> ReadBlockedCookieHosts() {
    std::vector<std::string> lines;
    try {
        lines = ReadDefinitionLines(kBlockedCookiesFile);
    } catch (const ProgramError&) {
        return {};
    }
    std::vector<std::string> hosts;
    hosts.reserve(lines.size());
    for (std::string& line : lines) {
        if (line.find('|') == std::string::npos) {
            hosts.push_back(std::move(line));  // most lines hold one host
        } else {
            for (std::string_view host : SplitAt(line, '|')) {
                hosts.emplace_back(host);
            }
        }
        forms::DoEvents();
    }
    return hosts;
}

// Whether the domain a cookie file names is a blocked tracking host. A domain that leaves no key
// (".com") matches nothing: an empty key would equal every blank line of the list.
bool IsTrackingDomain(const BlockedCookieHosts& blockedHosts, std::string_view domain) {
    const std::string key = CookieMatchKey(domain);
    return !key.empty() && blockedHosts.Blocks(key);
}

// The overall bar does not move during this phase.
void ShowCookieProgress(FrmMainForm& window, const platform::FolderFile& file,
                        std::int16_t phasePercent) {
    RefreshScanProgress(window, gScanStatusSuffix + "\r\n" + file.name, phasePercent, -1);
}

// Lists a tracking cookie. False when the phase is to end: the cookie was met while no scan runs
// (the scan command is enabled), so only its scan-log line is written.
bool ReportTrackingCookie(FrmMainForm& window, ResultLists& lists,
                          const platform::FolderFile& file) {
    if (IsExcluded(file.path)) {
        AddExcludedLine(lists, file.path);
        return true;
    }
    AddFoundLine(lists, "Cookie Found: " + file.name, ResultKind::Cookie);
    if (window.cmdScan.Enabled()) {
        return false;
    }
    AddCookieTrace(lists, file.path);
    AddThreatRow(lists, {"Cookie: " + file.name, ResultKind::Cookie, file.path, "Tracking Cookie"});
    return true;
}

}  // namespace

void ScanCookies(FrmMainForm& window, std::int32_t& count) {
    const std::string folder = GetSpecialFolder(CSIDL_COOKIES);
    if (TrimBlanks(folder).empty()) {
        return;
    }
    ScanCookieFolder(window, folder, count);
}

void ScanCookieFolder(FrmMainForm& window, std::string_view folder, std::int32_t& count) {
    std::vector<platform::FolderFile> files;
    if (platform::CurrentMachine().folders().ListFiles(folder, &files) != platform::ERROR_SUCCESS) {
        return;
    }
    const std::vector<std::string> blockedHosts = ReadBlockedCookieHosts();
    const BlockedCookieHosts blockedHostIndex(blockedHosts);
    ResultLists lists = ResultListsOf(window);
    for (std::size_t examined = 1; examined <= files.size(); ++examined) {
        if (gStopScan) {
            return;
        }
        const platform::FolderFile& file = files[examined - 1];
        CountOne(count);
        const std::int16_t phasePercent =
            ProgressPercent(static_cast<double>(examined), static_cast<double>(files.size()))
                .value_or(-1);
        ShowCookieProgress(window, file, phasePercent);
        const bool tracking = IsTrackingDomain(blockedHostIndex, GetCookieDomain(file.path));
        // Reaches the number of cookie definitions at the last file.
        gMemoryInspected = static_cast<std::int32_t>(
            std::nearbyint(static_cast<double>(blockedHosts.size()) *
                           static_cast<double>(examined) / static_cast<double>(files.size())));
        ShowCookieProgress(window, file, phasePercent);
        if (tracking && !ReportTrackingCookie(window, lists, file)) {
            return;
        }
        forms::DoEvents();
    }
}

std::string GetCookieDomain(std::string_view path) {
    const std::string host = GetCookieHostFromFileName(path);
    std::vector<std::string> lines;
    if (host.empty() || !FileExists(path) ||
        platform::CurrentMachine().files().ReadTextLines(path, &lines, kCookieFileLimit) !=
            platform::ERROR_SUCCESS) {
        return std::string(kNoDomain);
    }
    for (const std::string& field : CookieFileFields(lines)) {
        const std::optional<std::string> domain = CookieDomainInField(field, host);
        forms::DoEvents();
        if (domain) {
            return *domain;
        }
    }
    return std::string(kNoDomain);
}

std::string GetSpecialFolder(int csidl) {
    return platform::CurrentMachine().specialFolders().Path(csidl);
}
