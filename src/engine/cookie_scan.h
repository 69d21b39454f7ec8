#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class FrmMainForm;

// The cookie phase of a scan: every file of the user's cookies folder whose domain is on the
// blocked-cookie list (BlockedCookies.dat) is listed as a tracking cookie, each with its own threat
// row. Cookie files are named and laid out as cookie_files.h describes.

// Scans the cookies folder (CSIDL 33) of the current machine's user into the main window's result
// lists; nothing when there is none. count is the scan's cookie-file counter, raised by 1 per file
// examined. Cookies are listed only while a scan runs (the window's scan command disabled).
void ScanCookies(FrmMainForm& window, std::int32_t& count);

// Scans the files directly in one folder, in name order, until the scan's stop flag is set.
void ScanCookieFolder(FrmMainForm& window, std::string_view folder, std::int32_t& count);

// The domain that a cookie file's content gives for the host in its name ("doubleclick.net"), or
// the text "False" when the name has no host, the file cannot be read (a FIFO, socket or device is
// never opened, a file over 1 MB never read) or no field names the host followed by a "/".
std::string GetCookieDomain(std::string_view path);

// The path of a special folder by CSIDL number, without a trailing "\"; "" when the machine has no
// such folder. The folder is never made.
std::string GetSpecialFolder(int csidl);
