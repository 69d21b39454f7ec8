#include "forms/web_browser.h"

#include "forms/errors.h"

namespace forms {

WebBrowser::WebBrowser(Form& form, std::string name, std::optional<int> index)
    : Control(form, ControlKind::WebBrowser, std::move(name), index) {}

void WebBrowser::Command(BrowserCommand::Kind kind, const std::string& url) {
    lastCommand_ = BrowserCommand{kind, url};
    NotifyChanged(Property::BrowserCommand);
}

void WebBrowser::Navigate(const std::string& url) {
    Command(BrowserCommand::Kind::Navigate, url);
}

void WebBrowser::GoBack() {
    if (!canGoBack_) {
        throw OperationFailed(Name() + " has no earlier page");
    }
    Command(BrowserCommand::Kind::GoBack);
}

void WebBrowser::GoForward() {
    if (!canGoForward_) {
        throw OperationFailed(Name() + " has no later page");
    }
    Command(BrowserCommand::Kind::GoForward);
}

void WebBrowser::Stop() {
    Command(BrowserCommand::Kind::Stop);
}

void WebBrowser::Refresh() {
    Command(BrowserCommand::Kind::Refresh);
}

void WebBrowser::StatusTextChange(const std::string& text) {
    OnStatusTextChange.Raise(text);
}

void WebBrowser::DownloadBegin() {
    OnDownloadBegin.Raise();
}

void WebBrowser::DownloadComplete() {
    OnDownloadComplete.Raise();
}

void WebBrowser::ProgressChange(long progress, long maximum) {
    OnProgressChange.Raise(progress, maximum);
}

bool WebBrowser::BeforeNavigate2(const std::string& url) {
    bool cancel = false;
    OnBeforeNavigate2.Raise(url, cancel);
    return cancel;
}

bool WebBrowser::NewWindow2() {
    bool cancel = false;
    OnNewWindow2.Raise(cancel);
    return cancel;
}

void WebBrowser::DocumentComplete(const std::string& url) {
    OnDocumentComplete.Raise(url);
}

void WebBrowser::SetLocation(const std::string& url, const std::string& title) {
    if (locationUrl_ != url || locationName_ != title) {
        locationUrl_ = url;
        locationName_ = title;
        NotifyChanged(Property::Location);
    }
}

void WebBrowser::SetHistoryState(bool canGoBack, bool canGoForward) {
    canGoBack_ = canGoBack;
    canGoForward_ = canGoForward;
}

}  // namespace forms
