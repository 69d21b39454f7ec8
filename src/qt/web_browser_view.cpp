#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "forms/web_browser.h"
#include "qt/views.h"
#include "qt/web_engine.h"

// Web browsers: the program's commands are carried out by the browser engine, whose signals come
// back as the control's events. Without the engine the control shows a note instead of pages.
namespace frontend {
namespace {

void ShowNoEngineNote(QLabel* note) {
    note->setText(QStringLiteral("The web browser is not available on this system."));
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);
}

#ifdef TOLLENWARK_HAVE_WEBENGINE

std::string Text(const QUrl& url) {
    return url.toString().toStdString();
}

// The engine starts with the first command: a browser that is never sent anywhere (a banner that
// is switched off) costs no engine.
class WebBrowserView final : public ControlView {
  public:
    WebBrowserView(forms::WebBrowser& browser, QWidget* parent)
        : ControlView(browser, new QWidget(parent)), browser_(browser) {
        auto* layout = new QVBoxLayout(widget());
        layout->setContentsMargins(0, 0, 0, 0);
    }

  protected:
    void ApplyOwn(forms::Property property, int) override {
        if (property == forms::Property::BrowserCommand) {
            Carry(browser_.LastCommand());
        }
    }
    void ApplyAllOwn() override {}
    // Before its first page the browser shows a blank page, as an empty browser does.
    void ApplyColors() override {
        widget()->setAutoFillBackground(true);
        widget()->setBackgroundRole(QPalette::Base);
    }

  private:
    // False when the engine cannot be loaded: the control then says so and ignores commands.
    bool StartEngine() {
        if (engineMissing_) {
            return false;
        }
        engine_ = MakeWebEngine(widget(), this, Events());
        if (engine_ == nullptr) {
            engineMissing_ = true;
            auto* note = new QLabel;
            ShowNoEngineNote(note);
            widget()->layout()->addWidget(note);
        }
        return engine_ != nullptr;
    }

    WebEngineEvents Events() {
        WebEngineEvents events;
        events.allowNavigation = [this](const QUrl& url) {
            bool cancel = false;
            InsidePage([&] { cancel = browser_.BeforeNavigate2(Text(url)); });
            return !cancel;
        };
        events.allowNewWindow = [this] {
            bool cancel = true;
            InsidePage([&] { cancel = browser_.NewWindow2(); });
            return !cancel;
        };
        events.loadStarted = [this] {
            FromUser([this] {
                ReportLocation();
                browser_.DownloadBegin();
            });
        };
        events.loadProgress = [this](int percent) {
            FromUser([&] { browser_.ProgressChange(percent, 100); });
        };
        events.loadFinished = [this] {
            FromUser([this] {
                ReportLocation();
                browser_.DownloadComplete();
                browser_.DocumentComplete(Text(engine_->Url()));
            });
        };
        events.locationChanged = [this] { FromUser([this] { ReportLocation(); }); };
        events.linkHovered = [this](const QString& url) {
            FromUser([&] { browser_.StatusTextChange(url.toStdString()); });
        };
        return events;
    }

    void ReportLocation() {
        browser_.SetLocation(Text(engine_->Url()), engine_->Title().toStdString());
        browser_.SetHistoryState(engine_->CanGoBack(), engine_->CanGoForward());
    }

    // The engine waits for the answer of a page callback; a command the program gives meanwhile
    // is carried out once the callback has returned.
    void InsidePage(const std::function<void()>& ask) {
        insidePage_ = true;
        FromUser(ask);
        insidePage_ = false;
    }

    void Carry(const forms::BrowserCommand& command) {
        if (insidePage_) {
            QTimer::singleShot(0, this, [this, command] { Carry(command); });
            return;
        }
        if (engine_ == nullptr && !StartEngine()) {
            return;
        }
        using Kind = forms::BrowserCommand::Kind;
        switch (command.kind) {
            case Kind::Navigate:
                engine_->Load(QUrl::fromUserInput(QString::fromStdString(command.url)));
                break;
            case Kind::GoBack:
                engine_->GoBack();
                break;
            case Kind::GoForward:
                engine_->GoForward();
                break;
            case Kind::Stop:
                engine_->Stop();
                break;
            case Kind::Refresh:
                engine_->Reload();
                break;
            case Kind::None:
                break;
        }
    }

    forms::WebBrowser& browser_;
    std::unique_ptr<WebEngine> engine_;
    bool engineMissing_ = false;
    bool insidePage_ = false;
};

#else

class WebBrowserView final : public ControlView {
  public:
    WebBrowserView(forms::WebBrowser& browser, QWidget* parent)
        : ControlView(browser, new QLabel(parent)) {
        ShowNoEngineNote(static_cast<QLabel*>(widget()));
    }

  protected:
    void ApplyOwn(forms::Property, int) override {}
    void ApplyAllOwn() override {}
};

#endif

}  // namespace

std::unique_ptr<ControlView> MakeWebBrowserView(forms::WebBrowser& browser, QWidget* parent) {
    return std::make_unique<WebBrowserView>(browser, parent);
}

}  // namespace frontend
