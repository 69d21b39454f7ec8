#include "qt/window_system_state.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace frontend {
namespace {

// The desktop's protocol for window states (EWMH).
constexpr std::uint32_t kRemoveState = 0;
constexpr std::uint32_t kAddState = 1;
constexpr std::uint32_t kFromApplication = 1;
constexpr std::uint32_t kIconicState = 3;  // of WM_STATE (ICCCM)

template <class Reply>
using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

struct StateAtoms {
    xcb_atom_t state = 0;
    xcb_atom_t skipTaskbar = 0;
    xcb_atom_t managerState = 0;
    xcb_atom_t changeState = 0;
};

StateAtoms AtomsOf(xcb_connection_t* connection) {
    static xcb_connection_t* known = nullptr;
    static StateAtoms atoms;
    if (known != connection) {
        atoms = {Atom(connection, "_NET_WM_STATE"), Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                 Atom(connection, "WM_STATE"), Atom(connection, "WM_CHANGE_STATE")};
        known = connection;
    }
    return atoms;
}

// The X connection and the native window of a widget that has one; nothing off an X server or
// before the widget has its native window (nothing to change yet: the state is written when it is
// shown).
struct NativeWindow {
    xcb_connection_t* connection;
    xcb_window_t window;
};

std::optional<NativeWindow> NativeWindowOf(const QWidget& widget) {
    if (QGuiApplication::platformName() != QLatin1String("xcb") ||
        widget.windowHandle() == nullptr) {
        return std::nullopt;
    }
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    const auto window = static_cast<xcb_window_t>(widget.internalWinId());
    if (x11 == nullptr || x11->connection() == nullptr || window == 0) {
        return std::nullopt;
    }
    return NativeWindow{x11->connection(), window};
}

// A property of 32-bit items of the given type; empty when the window has none.
std::vector<std::uint32_t> PropertyOf(xcb_connection_t* connection, xcb_window_t window,
                                      xcb_atom_t property, xcb_atom_t type) {
    const ReplyPointer<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, property, type, 0, 1024), nullptr),
        &std::free);
    if (!reply || reply->format != 32 || reply->type != type) {
        return {};
    }
    const auto* first = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {first, first + xcb_get_property_value_length(reply.get()) / sizeof(std::uint32_t)};
}

}  // namespace

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const ReplyPointer<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
            nullptr),
        &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

void SendToWindowManager(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t type,
                         std::array<std::uint32_t, 5> data) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = type;
    std::copy(data.begin(), data.end(), message.data.data32);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

void WriteSkipTaskbar(QWidget& window, bool skip) {
    const auto x = NativeWindowOf(window);
    if (!x) {
        return;
    }
    const StateAtoms atoms = AtomsOf(x->connection);
    std::vector<xcb_atom_t> states =
        PropertyOf(x->connection, x->window, atoms.state, XCB_ATOM_ATOM);
    std::erase(states, atoms.skipTaskbar);
    if (skip) {
        states.push_back(atoms.skipTaskbar);
    }
    // Qt adds its own states to these when it maps the window.
    xcb_change_property(x->connection, XCB_PROP_MODE_REPLACE, x->window, atoms.state, XCB_ATOM_ATOM,
                        32, static_cast<std::uint32_t>(states.size()), states.data());
    xcb_flush(x->connection);
}

void RequestSkipTaskbar(QWidget& window, bool skip) {
    if (const auto x = NativeWindowOf(window)) {
        const StateAtoms atoms = AtomsOf(x->connection);
        SendToWindowManager(
            x->connection, x->window, atoms.state,
            {skip ? kAddState : kRemoveState, atoms.skipTaskbar, 0, kFromApplication, 0});
    }
}

void RequestIconified(QWidget& window) {
    if (const auto x = NativeWindowOf(window)) {
        SendToWindowManager(x->connection, x->window, AtomsOf(x->connection).changeState,
                            {kIconicState, 0, 0, 0, 0});
    }
}

bool SettledOnWindowSystem(const QWidget& window, bool minimised) {
    const auto x = NativeWindowOf(window);
    if (!x) {
        return true;
    }
    const xcb_atom_t managerState = AtomsOf(x->connection).managerState;
    const std::vector<std::uint32_t> state =
        PropertyOf(x->connection, x->window, managerState, managerState);
    return !state.empty() && (state.front() == kIconicState) == minimised;
}

}  // namespace frontend
