#include "startup_probe.h"

#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "bench_machine.h"
#include "forms/form_registry.h"
#include "forms/host.h"
#include "platform/application.h"
#include "qt/application_setup.h"
#include "qt/qt_host.h"
#include "ui/frm_main.h"
#include "ui/frm_splash.h"

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

// steady_clock is CLOCK_MONOTONIC here: one clock for the parent and the child.
double Seconds(Clock::time_point at) {
    return std::chrono::duration<double>(at.time_since_epoch()).count();
}

double PeakMegabytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;
        }
    }
    return 0;
}

bool MainWindowReady() {
    const FrmMainForm* main = forms::LoadedInstance<FrmMainForm>();
    return main != nullptr && main->Visible();
}

}  // namespace

int RunStartupProbe(int argc, char** argv) {
    const int scans = argc > 2 ? std::atoi(argv[2]) : 1;
    platform::PreviousInstance();
    frontend::PrepareQtApplication();
    QApplication application(argc, argv);
    frontend::ConfigureQtApplication(application);
    frontend::QtHost host;
    forms::ScopedHost installed(host);

    Clock::time_point handedOver{};
    forms::ObserveForms([&handedOver](forms::Form& form, forms::FormEvent event) {
        if (event == forms::FormEvent::Loaded && dynamic_cast<FrmMainForm*>(&form) != nullptr) {
            handedOver = Clock::now();
        }
    });
    frmSplash().Show();
    const Clock::time_point splashShown = Clock::now();
    while (!MainWindowReady()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);  // the window's first paint
    const Clock::time_point ready = Clock::now();

    int threats = 0;
    const Clock::time_point scansStarted = Clock::now();
    for (int scan = 0; scan < scans; ++scan) {
        FrmMain().cmdScanNow.Click();
        threats = FrmMain().lvwPicRemoveListOfSpywareFoundAndToBeRemoved.ListItems.Count();
    }
    const double scanSeconds =
        std::chrono::duration<double>(Clock::now() - scansStarted).count() / scans;

    std::printf(
        "splash_shown %.9f\nhanded_over %.9f\nready %.9f\nscan %.9f\nthreats %d\n"
        "peak_mb %.3f\n",
        Seconds(splashShown), Seconds(handedOver), Seconds(ready), scanSeconds, threats,
        PeakMegabytes());
    std::fflush(stdout);
    std::_Exit(0);  // the measurement is done; the windows' shutdown is not part of it
}

std::optional<ProbeResult> ProbeFreshProcess(int scans) {
    BenchMachine& machine = TheBenchMachine();
    machine.UseAllDefinitions();
    machine.SetOptionalPhases(true, true, true);
    // BENCH_PROBE_WRAPPER runs the fresh process under a profiler (e.g. "heaptrack" or
    // "perf record -g -o probe.data").
    const char* wrapper = std::getenv("BENCH_PROBE_WRAPPER");
    const std::string command =
        "QT_QPA_PLATFORM=offscreen exec " + std::string(wrapper ? wrapper : "") + " /proc/" +
        std::to_string(::getpid()) + "/exe --startup-probe " + std::to_string(scans);
    const double started = Seconds(Clock::now());
    FILE* child = ::popen(command.c_str(), "r");
    if (child == nullptr) {
        return std::nullopt;
    }
    std::map<std::string, double> values;
    char name[64];
    double value = 0;
    while (std::fscanf(child, "%63s %lf", name, &value) == 2) {
        values[name] = value;
    }
    if (::pclose(child) != 0 || values.size() != 6) {
        return std::nullopt;
    }
    ProbeResult result;
    result.splashTicksSeconds = values["handed_over"] - values["splash_shown"];
    result.startUpSeconds = values["ready"] - started - result.splashTicksSeconds;
    result.qtScanSeconds = values["scan"];
    result.threats = static_cast<int>(values["threats"]);
    result.peakMegabytes = values["peak_mb"];
    return result;
}

}  // namespace bench
