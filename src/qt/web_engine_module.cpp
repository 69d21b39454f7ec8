// The browser engine module (see web_engine.h): built on its own and loaded on demand.
#include <QDesktopServices>
#include <QLayout>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "qt/web_engine.h"

namespace frontend {
namespace {

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
    AskingPage(QObject* parent, const WebEngineEvents& events)
        : QWebEnginePage(parent),
          allowNavigation_(events.allowNavigation),
          allowNewWindow_(events.allowNewWindow) {}

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
        return !isMainFrame || !allowNavigation_ || allowNavigation_(url);
    }

    QWebEnginePage* createWindow(WebWindowType) override {
        if (allowNewWindow_ && !allowNewWindow_()) {
            return nullptr;
        }
        return new DesktopHandoffPage(profile(), this);
    }

  private:
    std::function<bool(const QUrl&)> allowNavigation_;
    std::function<bool()> allowNewWindow_;
};

class QtWebEngine final : public WebEngine {
  public:
    QtWebEngine(QWidget* container, QObject* receiver, const WebEngineEvents& events) {
        auto* view = new QWebEngineView;
        container->layout()->addWidget(view);
        page_ = new AskingPage(view, events);
        view->setPage(page_);
        Connect(receiver, events);
    }

    void Load(const QUrl& url) override { page_->load(url); }
    void GoBack() override { page_->triggerAction(QWebEnginePage::Back); }
    void GoForward() override { page_->triggerAction(QWebEnginePage::Forward); }
    void Stop() override { page_->triggerAction(QWebEnginePage::Stop); }
    void Reload() override { page_->triggerAction(QWebEnginePage::Reload); }

    QUrl Url() const override { return page_->url(); }
    QString Title() const override { return page_->title(); }
    bool CanGoBack() const override { return page_->history()->canGoBack(); }
    bool CanGoForward() const override { return page_->history()->canGoForward(); }

  private:
    void Connect(QObject* receiver, const WebEngineEvents& e) {
        QObject::connect(page_, &QWebEnginePage::loadStarted, receiver, e.loadStarted);
        QObject::connect(page_, &QWebEnginePage::loadProgress, receiver, e.loadProgress);
        QObject::connect(page_, &QWebEnginePage::loadFinished, receiver, e.loadFinished);
        QObject::connect(page_, &QWebEnginePage::urlChanged, receiver, e.locationChanged);
        QObject::connect(page_, &QWebEnginePage::titleChanged, receiver, e.locationChanged);
        QObject::connect(page_, &QWebEnginePage::linkHovered, receiver, e.linkHovered);
    }

    QWebEnginePage* page_ = nullptr;
};

}  // namespace
}  // namespace frontend

extern "C" __attribute__((visibility("default"))) frontend::WebEngine* tollenwark_make_web_engine(
    QWidget* container, QObject* receiver, const frontend::WebEngineEvents& events) {
    return new frontend::QtWebEngine(container, receiver, events);
}
