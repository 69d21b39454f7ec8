#pragma once

#include <vector>

#include "forms/geometry.h"

// The program's pictures: files of the "images" folder beside the program, named by the
// identifiers that windows and controls carry (the front end finds the file by that name).
namespace pictures {

inline const forms::ImageId kProgramIcon = "program_icon.png";
inline const forms::ImageId kProgramLogo = "program_logo.png";
inline const forms::ImageId kSplash = "splash.png";
inline const forms::ImageId kAbout = "about.png";
inline const forms::ImageId kHomePage = "home_page.png";
inline const forms::ImageId kDownloadDown = "download_down.png";
inline const forms::ImageId kDownloadUp = "download_up.png";
inline const forms::ImageId kBrowserGo = "browser_go.png";
inline const forms::ImageId kBrowserBack = "browser_back.png";
inline const forms::ImageId kBrowserForward = "browser_forward.png";
inline const forms::ImageId kBrowserStop = "browser_stop.png";
inline const forms::ImageId kBrowserRefresh = "browser_refresh.png";

// The small icons of the result lists, in the order of their icon numbers: 1 tracking cookie,
// 2 registry entry, 3 file (or a stopped program), 4 folder, 5 excluded entry.
inline const std::vector<forms::ImageId> kResultIcons = {
    "result_cookie.png", "result_registry.png", "result_file.png",
    "result_folder.png", "result_excluded.png",
};

}  // namespace pictures
