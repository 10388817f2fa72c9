// Starts a program and waits until a window of the given title and size is mapped while no window
// with the "gone" title is; prints the milliseconds from the start to then and the program's peak
// resident memory in KiB, then ends the program.
//
//   config_startwatch <title> <width>x<height> <gone title or -> <timeout ms> -- program [args]
//
// A title matches a window name that equals it or starts with it followed by " ". Prints
// "timeout" and exits with 1 when the state is not reached in time.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace {

bool titleMatches(const std::string &name, const std::string &title)
{
    return name == title
        || (name.size() > title.size() && name.compare(0, title.size(), title) == 0
            && name[title.size()] == ' ');
}

std::string windowName(Display *display, Window window)
{
    XTextProperty property;
    std::string name;
    if (XGetWMName(display, window, &property) && property.value) {
        name.assign(reinterpret_cast<const char *>(property.value), property.nitems);
        XFree(property.value);
    }
    return name;
}

int ignoreErrors(Display *, XErrorEvent *)
{
    return 0; // a window may be gone by the time it is looked at
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 7 || std::strcmp(argv[5], "--") != 0) {
        std::fprintf(stderr,
                     "usage: %s <title> <w>x<h> <gone title|-> <timeout ms> -- program [args]\n",
                     argv[0]);
        return 2;
    }
    const std::string title = argv[1];
    int width = 0;
    int height = 0;
    if (std::sscanf(argv[2], "%dx%d", &width, &height) != 2)
        return 2;
    const std::string gone = std::strcmp(argv[3], "-") == 0 ? std::string() : argv[3];
    const auto timeout = std::chrono::milliseconds(std::atoi(argv[4]));

    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const auto started = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[6], argv + 6);
        _exit(127);
    }

    std::set<Window> goneMapped;
    bool dialogMapped = false;
    bool reached = false;
    const int fd = ConnectionNumber(display);
    while (!reached) {
        const auto left = timeout - (std::chrono::steady_clock::now() - started);
        if (left <= std::chrono::milliseconds(0))
            break;
        if (!XPending(display)) {
            fd_set fds;
            FD_ZERO(&fds);
            FD_SET(fd, &fds);
            timeval tv {0, 20000};
            select(fd + 1, &fds, nullptr, nullptr, &tv);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify) {
            const Window window = event.xmap.window;
            const std::string name = windowName(display, window);
            XWindowAttributes attributes;
            if (!gone.empty() && titleMatches(name, gone))
                goneMapped.insert(window);
            if (titleMatches(name, title) && XGetWindowAttributes(display, window, &attributes)
                && attributes.width == width && attributes.height == height)
                dialogMapped = true;
        } else if (event.type == UnmapNotify) {
            goneMapped.erase(event.xunmap.window);
        } else if (event.type == DestroyNotify) {
            goneMapped.erase(event.xdestroywindow.window);
        }
        reached = dialogMapped && goneMapped.empty();
    }
    const auto elapsed
        = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started);

    kill(child, SIGTERM);
    int status = 0;
    rusage usage {};
    wait4(child, &status, 0, &usage);
    XCloseDisplay(display);
    if (!reached) {
        std::printf("timeout\n");
        return 1;
    }
    std::printf("%.1f %ld\n", elapsed.count(), usage.ru_maxrss);
    return 0;
}
