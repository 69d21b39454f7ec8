#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace forms {
class Form;
}
class FrmMainForm;

// The progress a scan shows: counters, status line and bars of the main window, repainted on
// every hundredth item only, so a scan of thousands of records does not spend its time drawing.

// Counts the call in gProgressTick; on every hundredth call shows the counters, the status line
// (text through FilterOffensiveWords) and the bars. A negative percentage leaves its bar as it is.
void RefreshScanProgress(FrmMainForm& window, const std::string& text, std::int16_t phasePercent,
                         std::int16_t overallPercent);
// The same on the main window.
void RefreshScanProgress(const std::string& text, std::int16_t phasePercent,
                         std::int16_t overallPercent);
// The same with a status text that takes some work: made only by the call that shows it, as the
// phases refresh the progress for every item.
void RefreshScanProgress(FrmMainForm& window, const std::function<std::string()>& makeText,
                         std::int16_t phasePercent, std::int16_t overallPercent);

// part / whole x 100 rounded to the nearest whole number (halves to even); nothing when whole is
// 0 or the result does not fit a 16-bit number, in which case a phase skips its progress call.
std::optional<std::int16_t> ProgressPercent(double part, double whole);

// Stops (lock) or resumes drawing the window, through the host's window-update lock; nothing
// while the window is not visible.
void LockWindowRedraw(forms::Form& window, bool lock);

// Holds the redraw lock of a window for a block of changes, so it redraws once.
class ScopedRedrawLock {
  public:
    explicit ScopedRedrawLock(forms::Form& window);
    ~ScopedRedrawLock();
    ScopedRedrawLock(const ScopedRedrawLock&) = delete;
    ScopedRedrawLock& operator=(const ScopedRedrawLock&) = delete;

  private:
    bool locked_;
};
