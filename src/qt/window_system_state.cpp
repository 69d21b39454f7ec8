#include "qt/window_system_state.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace frontend {
namespace {

// The desktop's protocol for window states (EWMH).
constexpr std::uint32_t kRemoveState = 0;
constexpr std::uint32_t kAddState = 1;
constexpr std::uint32_t kFromApplication = 1;
constexpr std::uint32_t kIconicState = 3;  // of WM_STATE (ICCCM)

xcb_connection_t* Connection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return nullptr;
    }
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 == nullptr ? nullptr : x11->connection();
}

template <class Reply>
using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const ReplyPointer<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
            nullptr),
        &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

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

// The native window of a widget that has one; 0 otherwise (nothing to change yet: the state is
// written when it is shown).
xcb_window_t NativeWindow(const QWidget& window) {
    return window.windowHandle() == nullptr ? 0 : static_cast<xcb_window_t>(window.internalWinId());
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

// A message about a window to the window manager, which listens on the root window.
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

}  // namespace

void WriteSkipTaskbar(QWidget& window, bool skip) {
    xcb_connection_t* connection = Connection();
    const xcb_window_t native = NativeWindow(window);
    if (connection == nullptr || native == 0) {
        return;
    }
    const StateAtoms atoms = AtomsOf(connection);
    std::vector<xcb_atom_t> states = PropertyOf(connection, native, atoms.state, XCB_ATOM_ATOM);
    std::erase(states, atoms.skipTaskbar);
    if (skip) {
        states.push_back(atoms.skipTaskbar);
    }
    // Qt adds its own states to these when it maps the window.
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, native, atoms.state, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(states.size()), states.data());
    xcb_flush(connection);
}

void RequestSkipTaskbar(QWidget& window, bool skip) {
    xcb_connection_t* connection = Connection();
    const xcb_window_t native = NativeWindow(window);
    if (connection == nullptr || native == 0) {
        return;
    }
    const StateAtoms atoms = AtomsOf(connection);
    SendToWindowManager(
        connection, native, atoms.state,
        {skip ? kAddState : kRemoveState, atoms.skipTaskbar, 0, kFromApplication, 0});
}

void RequestIconified(QWidget& window) {
    xcb_connection_t* connection = Connection();
    const xcb_window_t native = NativeWindow(window);
    if (connection == nullptr || native == 0) {
        return;
    }
    SendToWindowManager(connection, native, AtomsOf(connection).changeState,
                        {kIconicState, 0, 0, 0, 0});
}

bool SettledOnWindowSystem(const QWidget& window, bool minimised) {
    xcb_connection_t* connection = Connection();
    const xcb_window_t native = NativeWindow(window);
    if (connection == nullptr || native == 0) {
        return true;
    }
    const StateAtoms atoms = AtomsOf(connection);
    const std::vector<std::uint32_t> state =
        PropertyOf(connection, native, atoms.managerState, atoms.managerState);
    return !state.empty() && (state.front() == kIconicState) == minimised;
}

}  // namespace frontend
