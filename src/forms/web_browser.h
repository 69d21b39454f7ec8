#pragma once

#include <optional>
#include <string>

#include "forms/control.h"

namespace forms {

// What the program asked the browser to do. The front end carries out each command when told
// (Property::BrowserCommand) and reports what happens through the methods further down.
struct BrowserCommand {
    enum class Kind { None, Navigate, GoBack, GoForward, Stop, Refresh };
    Kind kind = Kind::None;
    std::string url;  // for Navigate
    bool operator==(const BrowserCommand&) const = default;
};

// A web browser. The model only records the program's commands and raises the page's events; the
// front end renders the page.
class WebBrowser final : public Control {
  public:
    WebBrowser(Form& form, std::string name, std::optional<int> index = std::nullopt);

    // The program's commands. GoBack and GoForward throw OperationFailed when there is no page to
    // go to.
    void Navigate(const std::string& url);
    void GoBack();
    void GoForward();
    void Stop();
    void Refresh();
    const BrowserCommand& LastCommand() const { return lastCommand_; }

    // The page shown: its address and its title.
    const std::string& LocationURL() const { return locationUrl_; }
    const std::string& LocationName() const { return locationName_; }
    bool CanGoBack() const { return canGoBack_; }
    bool CanGoForward() const { return canGoForward_; }

    Event<const std::string&> OnStatusTextChange;
    Event<> OnDownloadBegin;
    Event<> OnDownloadComplete;
    Event<long, long> OnProgressChange;  // progress, maximum
    Event<const std::string&, bool&> OnBeforeNavigate2;
    Event<bool&> OnNewWindow2;
    Event<const std::string&> OnDocumentComplete;

    // What the page does, from the front end.
    void StatusTextChange(const std::string& text);
    void DownloadBegin();
    void DownloadComplete();
    void ProgressChange(long progress, long maximum);
    // Returns whether the program cancelled the navigation.
    bool BeforeNavigate2(const std::string& url);
    // Returns whether the program cancelled the new window.
    bool NewWindow2();
    void DocumentComplete(const std::string& url);
    // The browser moved to another page (address and title); comes before the page's download and
    // document events, which read it.
    void SetLocation(const std::string& url, const std::string& title);
    // Whether there are pages to go back and forward to.
    void SetHistoryState(bool canGoBack, bool canGoForward);

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  private:
    void Command(BrowserCommand::Kind kind, const std::string& url = {});

    BrowserCommand lastCommand_;
    std::string locationUrl_;
    std::string locationName_;
    bool canGoBack_ = false;
    bool canGoForward_ = false;
};

}  // namespace forms
