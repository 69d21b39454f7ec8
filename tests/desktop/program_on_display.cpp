#include "desktop/program_on_display.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <cstdlib>
#include <filesystem>

#include "forms/form_registry.h"
#include "forms/test_host.h"
#include "foundation/brand.h"
#include "foundation/globals.h"
#include "foundation/machine_settings.h"
#include "foundation/settings_store.h"
#include "platform/fresh_prefix.h"
#include "platform/machine.h"
#include "platform/prefix.h"
#include "qt/application_setup.h"
#include "qt/control_widget.h"
#include "qt/outermost_loop.h"
#include "qt/unhandled_errors.h"
#include "support/forms_fixture.h"
#include "support/main_window.h"
#include "ui/frm_main.h"
#include "ui/frm_splash.h"

namespace desktop {

void SeedQuietStart(const std::string& prefixFolder, std::initializer_list<StoredSetting> more) {
    forms::TestHost host(FailTheRunningTest());
    forms::ScopedHost installed(host);
    InitBrandSettings();
    const StoredSetting quiet[] = {{"Settings", "Language", "English"},
                                   {"Settings", "showHelp", "0"},
                                   {"OptionAndSettings", "chkAutomaticUpdate", "0"},
                                   {"OptionAndSettings", "optMemorySheildOn", "False"},
                                   {"OptionAndSettings", "optMemorySheildOff", "True"},
                                   {"OptionAndSettings", "optIEHomePageSheildOn", "False"},
                                   {"OptionAndSettings", "optIEHomePageSheildOff", "True"}};
    for (const StoredSetting& setting : quiet) {
        SaveSetting(gProgramName, setting.section, setting.key, setting.value);
    }
    for (const StoredSetting& setting : more) {
        SaveSetting(gProgramName, setting.section, setting.key, setting.value);
    }
    platform::ScopedMachine machine(platform::OpenMachine(platform::Prefix(prefixFolder)));
    SaveMachineSetting(gProgramName, "Settings", "FirstTime", "Yes");
}

std::string Setting(const std::string& section, const std::string& key) {
    return GetSetting(gProgramName, section, key, "<none>");
}

void SeedQuietStartOfOwnPrefix(std::initializer_list<StoredSetting> more) {
    ASSERT_EQ(platform::LayDownFreshPrefix(platform::OwnPrefixFolder(), platform::HostUserName()),
              0);
    SeedQuietStart(platform::OwnPrefixFolder(), more);
}

e2e::ChildEnvironment ProgramEnvironment(const XDisplay& display) {
    e2e::ChildEnvironment environment;
    // A runtime folder of its own: the instance lock there is not the one a program run inside
    // this process holds.
    const std::filesystem::path runtime = std::string(std::getenv("XDG_RUNTIME_DIR")) + "-programs";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    environment.Set("XDG_RUNTIME_DIR", runtime.string());
    environment.Remove("WINEPREFIX");
    environment.Set("DISPLAY", display.name());
    environment.Set("QT_QPA_PLATFORM", "xcb");
    environment.Set("TOLLENWARK_DEFINITIONS_SERVER", "http://127.0.0.1:9");  // nobody listens
    return environment;
}

ProgramOnDisplay::ProgramOnDisplay(const XDisplay& display)
    : platform_("QT_QPA_PLATFORM", "xcb"), screen_("DISPLAY", display.name()) {
    frontend::PrepareQtApplication();
    application_ = std::make_unique<QApplication>(argc_, argv_);
    frontend::ConfigureQtApplication(*application_);
    host_ = std::make_unique<frontend::QtHost>();
    installed_ = std::make_unique<forms::ScopedHost>(*host_);
    frontend::SetUnhandledErrorHandler(
        [](const std::string& what) { ADD_FAILURE() << "unhandled error: " << what; });
    test_support::ResetProgramGlobals();
}

ProgramOnDisplay::~ProgramOnDisplay() {
    UnloadAll();
    frontend::SetUnhandledErrorHandler({});
    installed_.reset();
    host_.reset();
    application_.reset();
}

bool ProgramOnDisplay::Start() {
    frmSplash().Show();
    return RunUntil(
        [] {
            const FrmSplashForm* splash = forms::LoadedInstance<FrmSplashForm>();
            return forms::LoadedInstance<FrmMainForm>() != nullptr && splash != nullptr &&
                   !splash->Visible();
        },
        std::chrono::seconds(20));
}

bool ProgramOnDisplay::Restart() {
    UnloadAll();
    test_support::ResetProgramGlobals();
    return Start();
}

void ProgramOnDisplay::UnloadAll() {
    forms::DestroyAllForms();
    frontend::DestroyWaitingObjects();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool ProgramOnDisplay::RunUntil(const std::function<bool()>& condition,
                                std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        RunFor(std::chrono::milliseconds(10));
    }
    return true;
}

// The program's own outermost loop, for a while.
void ProgramOnDisplay::RunFor(std::chrono::milliseconds time) {
    QEventLoop loop;
    QTimer::singleShot(time, &loop, &QEventLoop::quit);
    loop.exec();
}

unsigned long ProgramOnDisplay::WindowOf(const forms::Form& form) {
    return static_cast<unsigned long>(host_->renderer().WindowOf(form)->winId());
}

QPoint ProgramOnDisplay::CentreOf(const forms::Control& control) {
    const QWidget& widget = frontend_test::WidgetOf(host_->renderer(), control);
    return widget.mapToGlobal(widget.rect().center());
}

void ProgramOnDisplayTest::SetUp() {
    SKIP_WITHOUT_DISPLAY_TOOLS(true);
    display = std::make_unique<XDisplay>(true);
}

bool ProgramOnDisplayTest::StartProgram(std::initializer_list<StoredSetting> settings) {
    SeedQuietStart(std::getenv("WINEPREFIX"), settings);
    program = std::make_unique<ProgramOnDisplay>(*display);
    return program->Start();
}

}  // namespace desktop
