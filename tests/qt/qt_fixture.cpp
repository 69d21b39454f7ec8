#include "qt_fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <memory>

#include "forms/form_registry.h"
#include "qt/application_setup.h"
#include "qt/outermost_loop.h"
#include "qt/unhandled_errors.h"

namespace {

// The offscreen platform says for every window that it cannot do what only a desktop does.
QtMessageHandler standardMessages = nullptr;

void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.startsWith(QStringLiteral("This plugin does not support")) && standardMessages) {
        standardMessages(type, context, text);
    }
}

// One application for the whole test program, made before the first test.
class QtApplicationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        standardMessages = qInstallMessageHandler(QuietOffscreenNotes);
        frontend::PrepareQtApplication();
        application_ = std::make_unique<QApplication>(argc_, argv_);
        frontend::ConfigureQtApplication(*application_);
    }
    void TearDown() override { application_.reset(); }

  private:
    int argc_ = 1;
    char name_[16] = "qt_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] const auto* const kApplication =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace

QtHostTest::QtHostTest() {
    frontend::SetUnhandledErrorHandler(
        [](const std::string& what) { ADD_FAILURE() << "a handler failed: " << what; });
}

QtHostTest::~QtHostTest() {
    forms::DestroyAllForms();
    frontend::DestroyWaitingObjects();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    frontend::SetUnhandledErrorHandler(nullptr);
}

void QtHostTest::ProcessEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool QtHostTest::RunUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > limit.count()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

frontend::FormWindow& QtHostTest::WindowOf(const forms::Form& form) {
    frontend::FormWindow* window = host.renderer().WindowOf(form);
    if (window == nullptr) {
        throw std::logic_error("no window for " + form.Name());
    }
    return *window;
}
