#include "forms/test_host.h"

#include <algorithm>

#include "forms/form_registry.h"

namespace forms {
namespace {

platform::DateTime AddMilliseconds(const platform::DateTime& start,
                                   std::chrono::milliseconds span) {
    using namespace std::chrono;
    const sys_days day = year{start.year} / month{static_cast<unsigned>(start.month)} /
                         std::chrono::day{static_cast<unsigned>(start.day)};
    const sys_seconds moment = day + hours{start.hour} + minutes{start.minute} +
                               seconds{start.second} + floor<seconds>(span);
    const sys_days newDay = floor<days>(moment);
    const year_month_day date{newDay};
    const hh_mm_ss time{moment - newDay};
    return platform::DateTime{static_cast<int>(date.year()),
                              static_cast<int>(static_cast<unsigned>(date.month())),
                              static_cast<int>(static_cast<unsigned>(date.day())),
                              static_cast<int>(time.hours().count()),
                              static_cast<int>(time.minutes().count()),
                              static_cast<int>(time.seconds().count())};
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// What an unexpected box is answered with: the least harmful button it offers.
MsgBoxResult SafestAnswer(int style) {
    for (MsgBoxResult answer : {MsgBoxResult::Cancel, MsgBoxResult::No, MsgBoxResult::Ignore}) {
        if (IsAnswerOffered(style, answer)) {
            return answer;
        }
    }
    return MsgBoxResult::Ok;
}

}  // namespace

TestHost::TestHost(FailureHandler onFailure) : onFailure_(std::move(onFailure)) {}

TestHost::~TestHost() {
    for (const ExpectedMsgBox& box : expectedBoxes_) {
        Fail("an expected message box never came" + (box.text ? ": " + Quoted(*box.text) : ""));
    }
    if (!modalScripts_.empty()) {
        Fail(std::to_string(modalScripts_.size()) + " expected modal window(s) never came");
    }
    if (!openDialogAnswers_.empty()) {
        Fail(std::to_string(openDialogAnswers_.size()) + " expected Open dialog(s) never came");
    }
}

void TestHost::Fail(const std::string& message) {
    if (onFailure_) {
        onFailure_(message);
    }
}

void TestHost::SetNow(const platform::DateTime& now) {
    // The elapsed time and the timers stay as they are; only the calendar moves.
    start_ = AddMilliseconds(now, -elapsed_);
}

platform::DateTime TestHost::Now() {
    return AddMilliseconds(start_, elapsed_);
}

void TestHost::Advance(std::chrono::milliseconds span) {
    const std::chrono::milliseconds until = elapsed_ + span;
    while (FireNextTimer(until)) {
    }
    elapsed_ = std::max(elapsed_, until);
}

// Fires the earliest timer due by `until`; false when there is none.
bool TestHost::FireNextTimer(std::chrono::milliseconds until) {
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->second.due <= until &&
            (next == timers_.end() || it->second.due < next->second.due)) {
            next = it;
        }
    }
    if (next == timers_.end()) {
        return false;
    }
    ScheduledTimer& timer = next->second;
    elapsed_ = std::max(elapsed_, timer.due);
    // The next tick is the first boundary after now: ticks missed meanwhile are merged.
    const auto missed = (elapsed_ - timer.due) / timer.interval;
    timer.due += timer.interval * (missed + 1);
    auto onTick = timer.onTick;  // the handler may stop or restart its timer
    onTick();
    return true;
}

void TestHost::DoEvents() {
    ++doEventsCount_;
    if (doEventsCount_ > doEventsLimit_) {
        Fail("DoEvents was called more than " + std::to_string(doEventsLimit_) +
             " times: a loop waits for something the test never does");
        throw RunawayLoop{};
    }
    const int call = doEventsCount_;
    auto [first, last] = doEventsActions_.equal_range(call);
    std::vector<std::function<void()>> actions;
    for (auto it = first; it != last; ++it) {
        actions.push_back(std::move(it->second));
    }
    doEventsActions_.erase(call);
    for (auto& action : actions) {
        action();
    }
    for (auto every = everyDoEvents_; auto& action : every) {
        action(call);
    }
    if (doEventsStep_.count() > 0) {
        Advance(doEventsStep_);
    }
}

void TestHost::OnDoEvents(int callNumber, std::function<void()> action) {
    doEventsActions_.emplace(callNumber, std::move(action));
}

void TestHost::OnEveryDoEvents(std::function<void(int callNumber)> action) {
    everyDoEvents_.push_back(std::move(action));
}

void TestHost::ExpectMsgBox(ExpectedMsgBox expected) {
    expectedBoxes_.push_back(std::move(expected));
}

void TestHost::ExpectMsgBox(MsgBoxResult answer, std::optional<std::string> text) {
    ExpectedMsgBox expected;
    expected.answer = answer;
    expected.text = std::move(text);
    ExpectMsgBox(std::move(expected));
}

MsgBoxResult TestHost::MsgBox(const std::string& text, int style, const std::string& title) {
    msgBoxesShown_.push_back(ShownMsgBox{text, style, title});
    if (expectedBoxes_.empty()) {
        Fail("unexpected message box " + Quoted(text) + " titled " + Quoted(title));
        return SafestAnswer(style);
    }
    ExpectedMsgBox expected = std::move(expectedBoxes_.front());
    expectedBoxes_.pop_front();
    CheckBox(expected, text, style, title);
    if (expected.whileOpen) {
        expected.whileOpen();
    }
    return expected.answer;
}

void TestHost::CheckBox(const ExpectedMsgBox& expected, const std::string& text, int style,
                        const std::string& title) {
    if (expected.text && *expected.text != text) {
        Fail("message box text " + Quoted(text) + ", expected " + Quoted(*expected.text));
    }
    if (expected.title && *expected.title != title) {
        Fail("message box " + Quoted(text) + " titled " + Quoted(title) + ", expected " +
             Quoted(*expected.title));
    }
    if (expected.style && *expected.style != style) {
        Fail("message box " + Quoted(text) + " has style " + std::to_string(style) + ", expected " +
             std::to_string(*expected.style));
    }
    if (!IsAnswerOffered(style, expected.answer)) {
        Fail("the scripted answer is not a button of message box " + Quoted(text));
    }
}

void TestHost::ExpectModal(std::function<void(Form&)> script) {
    modalScripts_.push_back(std::move(script));
}

void TestHost::RunModal(Form& form) {
    modalWindowsShown_.push_back(form.Name());
    if (modalScripts_.empty()) {
        Fail("unexpected modal window " + form.Name());
        form.Hide();
        return;
    }
    auto script = std::move(modalScripts_.front());
    modalScripts_.pop_front();
    script(form);
    if (form.IsLoaded() && form.Visible()) {
        Fail("the modal window " + form.Name() + " is still open after its script");
        form.Hide();
    }
}

void TestHost::WaitWhileShown(Form& form) {
    while (form.IsLoaded() && form.Visible()) {
        DoEvents();
    }
}

void TestHost::ExpectOpenDialog(std::optional<std::string> fileName) {
    openDialogAnswers_.push_back(std::move(fileName));
}

std::optional<std::string> TestHost::ShowOpenDialog(const OpenDialogRequest& request) {
    openDialogsShown_.push_back(request);
    if (openDialogAnswers_.empty()) {
        Fail("unexpected Open dialog " + Quoted(request.title));
        return std::nullopt;
    }
    auto answer = std::move(openDialogAnswers_.front());
    openDialogAnswers_.pop_front();
    return answer;
}

TimerId TestHost::StartTimer(int intervalMs, std::function<void()> onTick) {
    const std::chrono::milliseconds interval{std::max(intervalMs, 1)};
    const TimerId id = nextTimer_++;
    timers_.emplace(id, ScheduledTimer{interval, elapsed_ + interval, std::move(onTick)});
    return id;
}

void TestHost::StopTimer(TimerId id) {
    timers_.erase(id);
}

void TestHost::SetMousePointer(MousePointer pointer) {
    mousePointer_ = pointer;
    pointerChanges_.push_back(pointer);
}

bool TestHost::LockWindowUpdate(std::int32_t hwnd) {
    updateLockCalls_.push_back(hwnd);
    if (hwnd != 0 && lockedWindow_ != 0 && lockedWindow_ != hwnd) {
        return false;
    }
    lockedWindow_ = hwnd;
    return true;
}

void TestHost::ClearClipboard() {
    clipboard_.clear();
    ++clipboardClears_;
}

void TestHost::SetClipboardText(const std::string& text) {
    clipboard_ = text;
}

bool TestHost::TrayAdd(const TrayIcon& icon) {
    trayCalls_.push_back(TrayCall{TrayAction::Add, icon});
    if (!trayAvailable_) {
        return false;
    }
    trayIcons_[{icon.owner, icon.id}] = icon;
    return true;
}

bool TestHost::TrayModify(const TrayIcon& icon) {
    trayCalls_.push_back(TrayCall{TrayAction::Modify, icon});
    auto found = trayIcons_.find({icon.owner, icon.id});
    if (found == trayIcons_.end()) {
        return false;
    }
    found->second = icon;
    return true;
}

bool TestHost::TrayDelete(std::int32_t owner, int id) {
    TrayIcon removed;
    removed.owner = owner;
    removed.id = id;
    trayCalls_.push_back(TrayCall{TrayAction::Delete, removed});
    return trayIcons_.erase({owner, id}) > 0;
}

std::vector<TrayIcon> TestHost::TrayIcons() const {
    std::vector<TrayIcon> icons;
    for (const auto& entry : trayIcons_) {
        icons.push_back(entry.second);
    }
    return icons;
}

void TestHost::ClickTrayIcon(std::int32_t owner, int message, int id) {
    if (!trayIcons_.contains({owner, id})) {
        Fail("there is no tray icon " + std::to_string(id) + " of window " + std::to_string(owner) +
             " to click");
        return;
    }
    DeliverTrayMessage(owner, message);
}

bool TestHost::OpenDocument(const std::string& path) {
    documentsOpened_.push_back(path);
    return true;
}

void TestHost::EndProcess(int status) {
    ended_ = true;
    throw ProcessEnded{status};
}

}  // namespace forms
