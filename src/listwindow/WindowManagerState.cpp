#include "WindowManagerState.h"

#include <QApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace agendrix {

namespace {
    xcb_connection_t* X11Connection()
    {
        const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        return x11 != nullptr ? x11->connection() : nullptr;
    }

    xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
    {
        const xcb_intern_atom_cookie_t cookie
            = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
        const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t { XCB_ATOM_NONE };
        std::free(reply);
        return atom;
    }

    // The window's _NET_WM_STATE atoms as they stand.
    std::vector<xcb_atom_t> States(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t netWmState)
    {
        const xcb_get_property_cookie_t cookie
            = xcb_get_property(connection, 0, window, netWmState, XCB_ATOM_ATOM, 0, 64);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
        std::vector<xcb_atom_t> states;
        if (reply != nullptr && reply->type == XCB_ATOM_ATOM && reply->format == 32) {
            const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
            states.assign(atoms, atoms + xcb_get_property_value_length(reply) / 4);
        }
        std::free(reply);
        return states;
    }

    xcb_window_t RootOf(xcb_connection_t* connection)
    {
        return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    }
} // namespace

void SetTaskbarButton(QWidget& window, TaskbarButton button)
{
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr)
        return;
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t netWmState = Atom(connection, "_NET_WM_STATE");
    const xcb_atom_t skipTaskbar = Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    const xcb_atom_t skipPager = Atom(connection, "_NET_WM_STATE_SKIP_PAGER");
    const bool skip = button == TaskbarButton::Hidden;
    if (window.isVisible()) {
        // A mapped window's state belongs to the window manager: it is asked to change it.
        xcb_client_message_event_t message {};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = id;
        message.type = netWmState;
        message.data.data32[0] = skip ? 1 : 0; // _NET_WM_STATE_ADD or _REMOVE
        message.data.data32[1] = skipTaskbar;
        message.data.data32[2] = skipPager;
        message.data.data32[3] = 1; // asked for by an application
        xcb_send_event(connection, 0, RootOf(connection),
            XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
            reinterpret_cast<const char*>(&message));
    } else {
        std::vector<xcb_atom_t> states = States(connection, id, netWmState);
        std::erase_if(states, [&](xcb_atom_t a) { return a == skipTaskbar || a == skipPager; });
        if (skip)
            states.insert(states.end(), { skipTaskbar, skipPager });
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, netWmState, XCB_ATOM_ATOM, 32,
            static_cast<std::uint32_t>(states.size()), states.data());
    }
    xcb_flush(connection);
}

std::optional<WId> ActiveWindow()
{
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr) {
        const QWidget* active = QApplication::activeWindow();
        return active != nullptr ? std::optional(active->winId()) : std::nullopt;
    }
    const xcb_get_property_cookie_t cookie = xcb_get_property(
        connection, 0, RootOf(connection), Atom(connection, "_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 0, 1);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    std::optional<WId> active;
    if (reply != nullptr && reply->type == XCB_ATOM_WINDOW && xcb_get_property_value_length(reply) == 4) {
        const xcb_window_t window = *static_cast<const xcb_window_t*>(xcb_get_property_value(reply));
        if (window != XCB_WINDOW_NONE)
            active = window;
    }
    std::free(reply);
    return active;
}

} // namespace agendrix
