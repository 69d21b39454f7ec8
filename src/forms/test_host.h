#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "forms/form.h"
#include "forms/host.h"

namespace forms {

// Thrown by TestHost::EndProcess, so a test can expect the program to end at that point. It does
// not derive from std::exception, so statements guarded with catch (const std::exception&) let it
// through; code must never swallow it with catch (...).
struct ProcessEnded {
    int status = 0;
};

// Thrown by TestHost::DoEvents past the limit of yields (SetDoEventsLimit): a loop that waits for
// something the test never does. Not a std::exception either.
struct RunawayLoop {};

// The host of headless tests: a virtual clock, scripted answers for every dialog, and a record of
// every desktop service the program asked for. What the program does that the test did not script
// (an unexpected message box, modal window or Open dialog, a script left unused) is reported to
// the failure handler, which in a GoogleTest suite fails the running test (see
// tests/support/forms_fixture.h).
class TestHost final : public Host {
  public:
    using FailureHandler = std::function<void(const std::string& message)>;

    explicit TestHost(FailureHandler onFailure);
    // Reports the scripted boxes, windows and dialogs that never came.
    ~TestHost() override;

    // --- The clock. It starts at 3/16/2006 10:00:00 AM and moves only when the test moves it.
    void SetNow(const platform::DateTime& now);
    platform::DateTime Now() override;
    // Moves the clock on, firing every timer that falls due on the way, in time order (timers due
    // at the same moment in the order they were started). A tick that falls due again while its
    // handler runs is dropped, as in the real loop.
    void Advance(std::chrono::milliseconds span);
    std::chrono::milliseconds Elapsed() const { return elapsed_; }

    // --- The loop.
    // Runs the actions due at this call, then moves the clock on by the DoEvents time step.
    void DoEvents() override;
    // Leaves the waiting to the caller: its yields are what the test acts in.
    bool WaitForSockets(const std::vector<int>&, const std::vector<int>&,
                        std::chrono::milliseconds) override {
        return false;
    }
    // The number of DoEvents calls so far.
    int DoEventsCount() const { return doEventsCount_; }
    // Runs action inside the callNumber-th DoEvents (counted from 1 over the host's life), once.
    void OnDoEvents(int callNumber, std::function<void()> action);
    // Runs action inside every DoEvents, with the call's number.
    void OnEveryDoEvents(std::function<void(int callNumber)> action);
    // How far the clock moves in each DoEvents (default 0).
    void SetDoEventsTimeStep(std::chrono::milliseconds step) { doEventsStep_ = step; }
    // DoEvents beyond this many calls (default one million) fails and throws RunawayLoop.
    void SetDoEventsLimit(int limit) { doEventsLimit_ = limit; }

    // --- Message boxes, answered from a queue of expected boxes.
    struct ExpectedMsgBox {
        MsgBoxResult answer = MsgBoxResult::Ok;
        std::optional<std::string> text;   // checked when given
        std::optional<std::string> title;  // checked when given
        std::optional<int> style;          // checked when given
        std::function<void()> whileOpen;   // runs while the box is open (timers, input)
    };
    void ExpectMsgBox(ExpectedMsgBox expected);
    void ExpectMsgBox(MsgBoxResult answer, std::optional<std::string> text = std::nullopt);
    struct ShownMsgBox {
        std::string text;
        int style = 0;
        std::string title;
    };
    const std::vector<ShownMsgBox>& MsgBoxesShown() const { return msgBoxesShown_; }
    MsgBoxResult MsgBox(const std::string& text, int style, const std::string& title) override;

    // --- Modal windows, each handled by the next script, which runs while the window is modal and
    // must close (hide or unload) it.
    void ExpectModal(std::function<void(Form&)> script);
    // The same for a window of class F.
    template <class F, class Script>
    void ExpectModalOf(Script script);
    const std::vector<std::string>& ModalWindowsShown() const { return modalWindowsShown_; }
    void RunModal(Form& form) override;
    // Yields (DoEvents) until the window is hidden or unloaded: the test answers it from inside a
    // yield (OnDoEvents), as a user would while the program waits.
    void WaitWhileShown(Form& form) override;

    // --- The Open dialog: the file chosen, or nothing for Cancel.
    void ExpectOpenDialog(std::optional<std::string> fileName);
    const std::vector<OpenDialogRequest>& OpenDialogsShown() const { return openDialogsShown_; }
    std::optional<std::string> ShowOpenDialog(const OpenDialogRequest& request) override;

    // --- Timers.
    TimerId StartTimer(int intervalMs, std::function<void()> onTick) override;
    void StopTimer(TimerId id) override;
    std::size_t RunningTimerCount() const { return timers_.size(); }

    // --- Screen, pointer, update lock. The screen is 1024 x 768 with a 30-pixel taskbar below.
    void SetScreenRect(const PixelRect& rect) { screen_ = rect; }
    void SetTaskbarRect(const PixelRect& rect) { taskbar_ = rect; }
    PixelRect ScreenRect() override { return screen_; }
    PixelRect TaskbarRect() override { return taskbar_; }
    void SetMousePointer(MousePointer pointer) override;
    MousePointer GetMousePointer() override { return mousePointer_; }
    const std::vector<MousePointer>& MousePointerChanges() const { return pointerChanges_; }
    bool LockWindowUpdate(std::int32_t hwnd) override;
    // Every LockWindowUpdate call's handle, 0 for a release.
    const std::vector<std::int32_t>& UpdateLockCalls() const { return updateLockCalls_; }
    std::int32_t LockedWindow() const { return lockedWindow_; }

    // --- Clipboard.
    void ClearClipboard() override;
    void SetClipboardText(const std::string& text) override;
    std::string ClipboardText() override { return clipboard_; }
    int ClipboardClearCount() const { return clipboardClears_; }

    // --- Tray.
    enum class TrayAction { Add, Modify, Delete };
    struct TrayCall {
        TrayAction action;
        TrayIcon icon;  // for Delete: owner and id only
    };
    const std::vector<TrayCall>& TrayCalls() const { return trayCalls_; }
    // The icons present now.
    std::vector<TrayIcon> TrayIcons() const;
    // A desktop without a notification area refuses every icon (it has one by default).
    void SetTrayAvailable(bool available) { trayAvailable_ = available; }
    // A mouse event on the icon of owner: delivers the message to the owning window. Fails when
    // the window has no icon.
    void ClickTrayIcon(std::int32_t owner, int message, int id = 1);

    // --- Shell and application.
    bool OpenDocument(const std::string& path) override;
    const std::vector<std::string>& DocumentsOpened() const { return documentsOpened_; }
    // The desktop has an application for every document.
    // The desktop opens every document unless told it has no application for them.
    bool HasApplicationFor(const std::string&) override { return hasApplications_; }
    void SetHasApplications(bool has) { hasApplications_ = has; }
    void SetApplicationInTaskbar(bool shown) override { inTaskbar_ = shown; }
    bool ApplicationInTaskbar() override { return inTaskbar_; }
    // Records the end and throws ProcessEnded.
    [[noreturn]] void EndProcess(int status = 0) override;
    bool ProcessHasEnded() const { return ended_; }

  protected:
    bool TrayAdd(const TrayIcon& icon) override;
    bool TrayModify(const TrayIcon& icon) override;
    bool TrayDelete(std::int32_t owner, int id) override;

  private:
    struct ScheduledTimer {
        std::chrono::milliseconds interval;
        std::chrono::milliseconds due;
        std::function<void()> onTick;
    };

    void Fail(const std::string& message);
    bool FireNextTimer(std::chrono::milliseconds until);
    void CheckBox(const ExpectedMsgBox& expected, const std::string& text, int style,
                  const std::string& title);

    FailureHandler onFailure_;
    platform::DateTime start_{2006, 3, 16, 10, 0, 0};
    std::chrono::milliseconds elapsed_{0};
    std::map<TimerId, ScheduledTimer> timers_;  // ids grow, so equal due times fire in start order
    TimerId nextTimer_ = 1;

    int doEventsCount_ = 0;
    int doEventsLimit_ = 1'000'000;
    std::chrono::milliseconds doEventsStep_{0};
    std::multimap<int, std::function<void()>> doEventsActions_;
    std::vector<std::function<void(int)>> everyDoEvents_;

    std::deque<ExpectedMsgBox> expectedBoxes_;
    std::vector<ShownMsgBox> msgBoxesShown_;
    std::deque<std::function<void(Form&)>> modalScripts_;
    std::vector<std::string> modalWindowsShown_;
    std::deque<std::optional<std::string>> openDialogAnswers_;
    std::vector<OpenDialogRequest> openDialogsShown_;

    PixelRect screen_{0, 0, 1024, 768};
    PixelRect taskbar_{0, 738, 1024, 768};
    MousePointer mousePointer_ = MousePointer::Default;
    std::vector<MousePointer> pointerChanges_;
    std::vector<std::int32_t> updateLockCalls_;
    std::int32_t lockedWindow_ = 0;
    std::string clipboard_;
    int clipboardClears_ = 0;
    std::vector<TrayCall> trayCalls_;
    std::map<std::pair<std::int32_t, int>, TrayIcon> trayIcons_;
    bool trayAvailable_ = true;
    std::vector<std::string> documentsOpened_;
    bool inTaskbar_ = true;
    bool ended_ = false;
    bool hasApplications_ = true;
};

template <class F, class Script>
void TestHost::ExpectModalOf(Script script) {
    ExpectModal([this, script](Form& form) mutable {
        if (auto* window = dynamic_cast<F*>(&form)) {
            script(*window);
        } else {
            Fail("the modal window " + form.Name() + " is not of the class the script expected");
        }
    });
}

}  // namespace forms
