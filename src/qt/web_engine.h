#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>

// The browser engine behind the web browser control. It lives in a module of its own, loaded with
// the first page a browser is sent to: linking the engine into the program would map its libraries
// (some 25 MB resident) into every run, also the many that never show a page.
namespace frontend {

// What the engine tells the control. Each is called on the user-interface thread.
struct WebEngineEvents {
    std::function<bool(const QUrl&)> allowNavigation;  // false cancels a page's navigation
    std::function<bool()> allowNewWindow;              // false refuses a page's new window
    std::function<void()> loadStarted;
    std::function<void(int)> loadProgress;  // percent
    std::function<void()> loadFinished;
    std::function<void()> locationChanged;  // address or title
    std::function<void(const QString&)> linkHovered;
};

class WebEngine {
  public:
    virtual ~WebEngine() = default;

    virtual void Load(const QUrl& url) = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Stop() = 0;
    virtual void Reload() = 0;

    virtual QUrl Url() const = 0;
    virtual QString Title() const = 0;
    virtual bool CanGoBack() const = 0;
    virtual bool CanGoForward() const = 0;
};

// The module's one entry point: fills `container` with the engine's page; the events reach
// `receiver`'s thread and stop when it is destroyed.
using MakeWebEngineFunction = WebEngine* (*)(QWidget* container, QObject* receiver,
                                             const WebEngineEvents& events);
inline constexpr char kMakeWebEngineSymbol[] = "tollenwark_make_web_engine";

// Loads the module on first use; null when it cannot be found or loaded.
std::unique_ptr<WebEngine> MakeWebEngine(QWidget* container, QObject* receiver,
                                         const WebEngineEvents& events);

}  // namespace frontend
