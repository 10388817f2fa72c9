// launcher_startwatch [--size WxH] [--settle-ms N] -- PROGRAM [ARGUMENT...]
//
// Starts PROGRAM on the X display of $DISPLAY and prints, on one line,
//   map_ms=<milliseconds from the start to the mapping of its window> hwm_kb=<peak resident KiB>
// The window is the first top-level window mapped, or the first of the given size. The peak
// memory is read once the program has had N milliseconds (default 500) after the mapping to
// settle; then the program and its process group are ended. Exits 1 when no such window comes
// within 30 seconds.
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

long peakResidentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

bool hasSize(xcb_connection_t *c, xcb_window_t window, int width, int height)
{
    if (width <= 0)
        return true;
    xcb_get_geometry_reply_t *g = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    const bool match = g && g->width == width && g->height == height;
    std::free(g);
    return match;
}

} // namespace

int main(int argc, char **argv)
{
    int width = 0, height = 0, settleMs = 500, first = 1;
    for (; first < argc; ++first) {
        if (!std::strcmp(argv[first], "--size") && first + 1 < argc)
            std::sscanf(argv[++first], "%dx%d", &width, &height);
        else if (!std::strcmp(argv[first], "--settle-ms") && first + 1 < argc)
            settleMs = std::atoi(argv[++first]);
        else if (!std::strcmp(argv[first], "--")) {
            ++first;
            break;
        }
    }
    if (first >= argc) {
        std::fputs("usage: launcher_startwatch [--size WxH] [--settle-ms N] -- PROGRAM [ARG...]\n",
                   stderr);
        return 2;
    }

    int screenNumber = 0;
    xcb_connection_t *c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        std::fputs("startwatch: cannot open the display\n", stderr);
        return 2;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&it);
    const xcb_window_t root = it.data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    // Checked, so that the selection is in force before the program starts.
    if (xcb_generic_error_t *e = xcb_request_check(
            c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask))) {
        std::free(e);
        std::fputs("startwatch: cannot watch the screen\n", stderr);
        return 2;
    }

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        execvp(argv[first], argv + first);
        _exit(127);
    }
    setpgid(pid, pid);

    double mapMs = -1;
    const Clock::time_point deadline = start + std::chrono::seconds(30);
    pollfd fd {xcb_get_file_descriptor(c), POLLIN, 0};
    while (mapMs < 0 && Clock::now() < deadline) {
        xcb_generic_event_t *event;
        while (mapMs < 0 && (event = xcb_poll_for_event(c))) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
                const Clock::time_point mapped = Clock::now();
                if (hasSize(c, map->window, width, height))
                    mapMs = std::chrono::duration<double, std::milli>(mapped - start).count();
            }
            std::free(event);
        }
        if (mapMs < 0)
            poll(&fd, 1, 50);
    }

    long hwm = -1;
    if (mapMs >= 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
        hwm = peakResidentKb(pid);
    }
    kill(-pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    xcb_disconnect(c);
    if (mapMs < 0) {
        std::fputs("startwatch: no window was mapped\n", stderr);
        return 1;
    }
    std::printf("map_ms=%.1f hwm_kb=%ld\n", mapMs, hwm);
    return 0;
}
