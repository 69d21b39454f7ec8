#include "forms/host.h"

#include <stdexcept>

#include "forms/form_registry.h"
#include "platform/wine_tool.h"

namespace forms {
namespace {

Host*& InstalledHost() {
    static Host* host = nullptr;
    return host;
}

bool IsContinuationByte(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

std::string CutTrayTip(const std::string& tip) {
    std::size_t characters = 0;
    for (std::size_t position = 0; position < tip.size(); ++position) {
        if (!IsContinuationByte(tip[position]) && characters++ == kTrayTipLimit) {
            return tip.substr(0, position);
        }
    }
    return tip;
}

bool Host::AddTrayIcon(const TrayIcon& icon) {
    TrayIcon cut = icon;
    cut.tip = CutTrayTip(icon.tip);
    return TrayAdd(cut);
}

bool Host::ModifyTrayIcon(const TrayIcon& icon) {
    TrayIcon cut = icon;
    cut.tip = CutTrayTip(icon.tip);
    return TrayModify(cut);
}

bool Host::DeleteTrayIcon(std::int32_t owner, int id) {
    return TrayDelete(owner, id);
}

Host& CurrentHost() {
    if (InstalledHost() == nullptr) {
        throw std::logic_error("no forms::Host is installed");
    }
    return *InstalledHost();
}

bool HasHost() {
    return InstalledHost() != nullptr;
}

// While the program waits for a child process (Wine's tools), it sleeps in the installed host's
// loop.
void SetCurrentHost(Host* host) {
    InstalledHost() = host;
    platform::WaitingHook wait;
    if (host) {
        wait = [](const std::vector<int>& descriptors, std::chrono::milliseconds limit) {
            return CurrentHost().WaitForSockets(descriptors, {}, limit);
        };
    }
    platform::SetWaitingHook(std::move(wait));
}

ScopedHost::ScopedHost(Host& host) : previous_(InstalledHost()) {
    SetCurrentHost(&host);
}

ScopedHost::~ScopedHost() {
    SetCurrentHost(previous_);
}

void DoEvents() {
    CurrentHost().DoEvents();
}

void DeliverTrayMessage(std::int32_t owner, int message) {
    if (Form* form = FindLoadedForm(owner)) {
        form->TrayMessage(message);
    }
}

}  // namespace forms
