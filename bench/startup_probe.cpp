// Starts a program and reports how long it took until X maps its window with a given title, and
// the program's peak resident memory once that window has been drawn.
//   bench_startup_probe TITLE SETTLE_MS PROGRAM [ARGUMENTS...]
// prints "MILLISECONDS KIB" and ends the program. The map is seen as an X event on the root
// window, so no polling stands between the program and the clock.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const auto cookie =
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::string(name).size()), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return result;
}

std::string windowTitle(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t name,
                        xcb_atom_t utf8)
{
    const auto cookie = xcb_get_property(connection, 0, window, name, utf8, 0, 1024);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr);
    std::string title;
    if (reply) {
        title.assign(static_cast<const char *>(xcb_get_property_value(reply)),
                     static_cast<size_t>(xcb_get_property_value_length(reply)));
        std::free(reply);
    }
    return title;
}

long peakResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

int fail(pid_t child, const char *why)
{
    std::fprintf(stderr, "bench_startup_probe: %s\n", why);
    if (child > 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s TITLE SETTLE_MS PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    const std::string title = argv[1];
    const std::chrono::milliseconds settle(std::atoi(argv[2]));

    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return fail(0, "no X display");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t netWmName = atom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(connection, "UTF8_STRING");
    xcb_flush(connection);

    const Clock::time_point started = Clock::now();
    const pid_t child = fork();
    if (child < 0)
        return fail(0, "fork failed");
    if (child == 0) {
        execvp(argv[3], argv + 3);
        std::perror("bench_startup_probe: exec");
        _exit(127);
    }

    const Clock::time_point deadline = started + std::chrono::seconds(20);
    pollfd events{xcb_get_file_descriptor(connection), POLLIN, 0};
    for (;;) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t *>(event)->window;
            std::free(event);
            if (!mapped || windowTitle(connection, window, netWmName, utf8) != title)
                continue;
            const std::chrono::duration<double, std::milli> elapsed = Clock::now() - started;
            // The peak is read once the program has drawn its window, so that it covers all of the
            // start-up the user waits for.
            std::this_thread::sleep_for(settle);
            const long peak = peakResidentKiB(child);
            kill(child, SIGTERM);
            waitpid(child, nullptr, 0);
            xcb_disconnect(connection);
            std::printf("%.1f %ld\n", elapsed.count(), peak);
            return peak < 0 ? 1 : 0;
        }
        if (xcb_connection_has_error(connection))
            return fail(child, "lost the X display");
        if (waitpid(child, nullptr, WNOHANG) == child)
            return fail(0, "the program ended before its window was mapped");
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return fail(child, "no window with that title within 20 s");
        poll(&events, 1, static_cast<int>(std::min<long long>(left.count(), 100)));
    }
}
