#include "engine/scan_progress.h"

#include <cmath>
#include <limits>

#include "engine/globals.h"
#include "engine/word_filter.h"
#include "forms/host.h"
#include "ui/frm_main.h"

namespace {

constexpr std::int32_t kCallsPerRepaint = 100;

void ShowPercent(forms::ProgressBar& bar, std::int16_t percent) {
    if (percent >= 0) {
        bar.SetValue(percent);
    }
}

void Repaint(FrmMainForm& window, std::string text, std::int16_t phasePercent,
             std::int16_t overallPercent) {
    ScopedRedrawLock lock(window);
    window.lblMemoryInspected.SetCaption(std::to_string(gMemoryInspected));
    window.lblRegistryInspected.SetCaption(std::to_string(gRegistryInspected));
    window.lblFilesFolderInspected.SetCaption(std::to_string(gFilesFolderInspected));
    window.lblSoftwareFound.SetCaption(std::to_string(gSoftwareFound));
    window.lblStatus(0).SetCaption(FilterOffensiveWords(text));
    window.lblRemovePicSoftwareFound.SetCaption(std::to_string(gSoftwareFound));
    ShowPercent(window.pb1, phasePercent);
    ShowPercent(window.pb2, overallPercent);
}

}  // namespace

void RefreshScanProgress(FrmMainForm& window, const std::string& text, std::int16_t phasePercent,
                         std::int16_t overallPercent) {
    RefreshScanProgress(
        window, [&text] { return text; }, phasePercent, overallPercent);
}

void RefreshScanProgress(FrmMainForm& window, const std::function<std::string()>& makeText,
                         std::int16_t phasePercent, std::int16_t overallPercent) {
    CountOne(gProgressTick);
    if (gProgressTick < kCallsPerRepaint) {
        return;
    }
    Repaint(window, makeText(), phasePercent, overallPercent);
    gProgressTick = 0;
}

void RefreshScanProgress(const std::string& text, std::int16_t phasePercent,
                         std::int16_t overallPercent) {
    RefreshScanProgress(FrmMain(), text, phasePercent, overallPercent);
}

std::optional<std::int16_t> ProgressPercent(double part, double whole) {
    if (whole == 0) {
        return std::nullopt;
    }
    const double percent = std::nearbyint(part / whole * 100);
    if (!(percent >= std::numeric_limits<std::int16_t>::min() &&
          percent <= std::numeric_limits<std::int16_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(percent);
}

void LockWindowRedraw(forms::Form& window, bool lock) {
    if (window.Visible()) {
        forms::CurrentHost().LockWindowUpdate(lock ? window.Hwnd() : 0);
    }
}

ScopedRedrawLock::ScopedRedrawLock(forms::Form& window) : locked_(window.Visible()) {
    LockWindowRedraw(window, true);
}

// Released whenever it was taken, even if the window was hidden meanwhile: a lock left behind
// would keep every window from locking again.
ScopedRedrawLock::~ScopedRedrawLock() {
    if (locked_) {
        forms::CurrentHost().LockWindowUpdate(0);
    }
}
