#pragma once

#include <xcb/xcb.h>

#include <QWidget>
#include <array>
#include <cstdint>

// What Qt offers no call for: a window's entry in the taskbar, as the window system's own
// skip-taskbar state. Changing it never re-creates the native window (a re-created window is
// hidden and loses its place). Off an X server (the offscreen platform of the tests) these calls do
// nothing.
namespace frontend {

// For a window about to be shown (from its showEvent, before Qt maps it): the state it is mapped
// with. Window managers drop the state when a window is withdrawn, so it is written at every
// showing.
void WriteSkipTaskbar(QWidget& window, bool skip);

// For a window on the screen: asks the window manager to change the state.
void RequestSkipTaskbar(QWidget& window, bool skip);

// For a window just shown minimised: asks the window manager to iconify it. Qt maps a window that
// was moved or resized while hidden and minimised in its normal state; asked after the mapping,
// the window manager iconifies it whichever way it took it on.
void RequestIconified(QWidget& window);

// Whether the window manager manages the window and has it iconified exactly when the state Qt
// reports is minimised (its WM_STATE). Qt reports a state as the window manager's properties change
// one by one, so on the way to or from iconified, and while the window is being taken on, it may
// report a state that is neither. Always true off an X server.
bool SettledOnWindowSystem(const QWidget& window, bool minimised);

// On a connection of Qt's or of one's own: the atom of that name (XCB_ATOM_NONE when the server
// gave none), and a message about a window to the window manager, which listens on the root
// window.
xcb_atom_t Atom(xcb_connection_t* connection, const char* name);
void SendToWindowManager(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t type,
                         std::array<std::uint32_t, 5> data);

}  // namespace frontend
