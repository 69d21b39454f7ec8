#include <QDesktopServices>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "forms/web_browser.h"
#include "qt/views.h"

#ifdef TOLLENWARK_HAVE_WEBENGINE
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>
#endif

// Web browsers: the program's commands are carried out by the browser engine, whose signals come
// back as the control's events. Without the engine the control shows a note instead of pages.
namespace frontend {
namespace {

#ifdef TOLLENWARK_HAVE_WEBENGINE

// A page opened for a new window the program allowed: its address goes to the desktop's browser.
class DesktopHandoffPage final : public QWebEnginePage {
  public:
    using QWebEnginePage::QWebEnginePage;

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override {
        QDesktopServices::openUrl(url);
        deleteLater();
        return false;
    }
};

// A page that asks the program before it navigates and before it opens a new window.
class AskingPage final : public QWebEnginePage {
  public:
    using QWebEnginePage::QWebEnginePage;
    std::function<bool(const QUrl&)> allowNavigation;
    std::function<bool()> allowNewWindow;

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
        return !isMainFrame || !allowNavigation || allowNavigation(url);
    }

    QWebEnginePage* createWindow(WebWindowType) override {
        if (allowNewWindow && !allowNewWindow()) {
            return nullptr;
        }
        return new DesktopHandoffPage(profile(), this);
    }
};

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
    void StartEngine() {
        auto* view = new QWebEngineView;
        widget()->layout()->addWidget(view);
        page_ = new AskingPage(view);
        view->setPage(page_);
        page_->allowNavigation = [this](const QUrl& url) {
            bool cancel = false;
            InsidePage([&] { cancel = browser_.BeforeNavigate2(Text(url)); });
            return !cancel;
        };
        page_->allowNewWindow = [this] {
            bool cancel = true;
            InsidePage([&] { cancel = browser_.NewWindow2(); });
            return !cancel;
        };
        Connect();
    }

    void Connect() {
        QObject::connect(page_, &QWebEnginePage::loadStarted, this, [this] {
            FromUser([this] {
                ReportLocation();
                browser_.DownloadBegin();
            });
        });
        QObject::connect(page_, &QWebEnginePage::loadProgress, this, [this](int percent) {
            FromUser([&] { browser_.ProgressChange(percent, 100); });
        });
        QObject::connect(page_, &QWebEnginePage::loadFinished, this, [this] {
            FromUser([this] {
                ReportLocation();
                browser_.DownloadComplete();
                browser_.DocumentComplete(Text(page_->url()));
            });
        });
        QObject::connect(page_, &QWebEnginePage::urlChanged, this,
                         [this] { FromUser([this] { ReportLocation(); }); });
        QObject::connect(page_, &QWebEnginePage::titleChanged, this,
                         [this] { FromUser([this] { ReportLocation(); }); });
        QObject::connect(page_, &QWebEnginePage::linkHovered, this, [this](const QString& url) {
            FromUser([&] { browser_.StatusTextChange(url.toStdString()); });
        });
    }

    void ReportLocation() {
        browser_.SetLocation(Text(page_->url()), page_->title().toStdString());
        browser_.SetHistoryState(page_->history()->canGoBack(), page_->history()->canGoForward());
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
        if (page_ == nullptr) {
            StartEngine();
        }
        using Kind = forms::BrowserCommand::Kind;
        switch (command.kind) {
            case Kind::Navigate:
                page_->load(QUrl::fromUserInput(QString::fromStdString(command.url)));
                break;
            case Kind::GoBack:
                page_->triggerAction(QWebEnginePage::Back);
                break;
            case Kind::GoForward:
                page_->triggerAction(QWebEnginePage::Forward);
                break;
            case Kind::Stop:
                page_->triggerAction(QWebEnginePage::Stop);
                break;
            case Kind::Refresh:
                page_->triggerAction(QWebEnginePage::Reload);
                break;
            case Kind::None:
                break;
        }
    }

    forms::WebBrowser& browser_;
    AskingPage* page_ = nullptr;
    bool insidePage_ = false;
};

#else

class WebBrowserView final : public ControlView {
  public:
    WebBrowserView(forms::WebBrowser& browser, QWidget* parent)
        : ControlView(browser, new QLabel(parent)) {
        auto* note = static_cast<QLabel*>(widget());
        note->setText(QStringLiteral("The web browser is not available on this system."));
        note->setAlignment(Qt::AlignCenter);
        note->setWordWrap(true);
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
