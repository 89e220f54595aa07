// e2e_settle WINDOW [SECONDS]: returns once the program that owns WINDOW has handled every click
// and key sent to it before, so that a script may look at what they did (or did not do) at once,
// instead of waiting a fixed time. It sends the window manager's ping (_NET_WM_PING), which a Qt
// program answers from its event loop in turn, and waits for the answer on the root window; three
// times over, as Qt answers a ping before it delivers the clicks read in the same batch, and a
// click may post work of its own for the next turn of the loop. Exits 1 when the program does
// not answer within SECONDS (10 unless told), 2 on bad arguments or no X server.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <poll.h>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

struct FreeDeleter
{
    void operator()(void *p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// Waits for the ping with this stamp to come back to the root window, until `deadline`.
bool awaitAnswer(xcb_connection_t *connection, xcb_atom_t ping, std::uint32_t stamp,
                 Clock::time_point deadline)
{
    while (true) {
        while (const Reply<xcb_generic_event_t> event{xcb_poll_for_event(connection)}) {
            if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
                continue;
            const auto *message = reinterpret_cast<xcb_client_message_event_t *>(event.get());
            if (message->data.data32[0] == ping && message->data.data32[1] == stamp)
                return true;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0 || xcb_connection_has_error(connection))
            return false;
        pollfd socket{xcb_get_file_descriptor(connection), POLLIN, 0};
        poll(&socket, 1, int(left.count()));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2 || argc > 3) {
        std::fputs("usage: e2e_settle WINDOW [SECONDS]\n", stderr);
        return 2;
    }
    const auto window = xcb_window_t(std::strtoul(argv[1], nullptr, 0));
    const int seconds = argc == 3 ? std::atoi(argv[2]) : 10;
    int screenNumber = 0;
    xcb_connection_t *connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        std::fputs("e2e_settle: no X server (DISPLAY)\n", stderr);
        return 2;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;

    // Qt sends the answer to the root window, for whoever listens to the root's own changes.
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t protocols = atom(connection, "WM_PROTOCOLS");
    const xcb_atom_t ping = atom(connection, "_NET_WM_PING");

    const auto deadline = Clock::now() + std::chrono::seconds(seconds);
    for (std::uint32_t round = 1; round <= 3; ++round) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = protocols;
        message.data.data32[0] = ping;
        message.data.data32[1] = round; // the stamp the answer carries back
        message.data.data32[2] = window;
        xcb_send_event(connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char *>(&message));
        xcb_flush(connection);
        if (!awaitAnswer(connection, ping, round, deadline)) {
            std::fprintf(stderr, "e2e_settle: window 0x%x did not answer within %d s\n", window,
                         seconds);
            xcb_disconnect(connection);
            return 1;
        }
    }
    xcb_disconnect(connection);
    return 0;
}
