// A small X11 helper for the start-up benchmark and the file and network audit.
//   xprobe launch SETTLE_MS PROGRAM [ARGS...]
//       starts PROGRAM and waits, without polling sleeps, for the MapNotify of its first
//       top-level window; prints the time from just before exec to the window being mapped
//       and viewable, and the peak resident memory (VmHWM) SETTLE_MS later; then ends it.
//   xprobe close TITLE
//       asks the top-level window titled TITLE to close (WM_DELETE_WINDOW), as a close box does.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double NowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

long PeakResidentKiB(pid_t pid)
{
    const std::string path = "/proc/" + std::to_string(pid) + "/status";
    std::FILE *status = std::fopen(path.c_str(), "r");
    if (!status)
        return -1;
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, status)) {
        if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1)
            break;
    }
    std::fclose(status);
    return kib;
}

int Launch(Display *display, int settleMs, char **argv)
{
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double start = NowMs();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[0], argv);
        std::perror(argv[0]);
        _exit(127);
    }
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);  // blocks until the server reports something
        if (event.type != MapNotify || event.xmap.override_redirect)
            continue;
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, event.xmap.window, &attributes) ||
            attributes.map_state != IsViewable || attributes.width < 2)
            continue;
        const double mapped = NowMs() - start;
        timespec settle{settleMs / 1000, (settleMs % 1000) * 1000000L};
        nanosleep(&settle, nullptr);
        const long kib = PeakResidentKiB(child);
        std::printf("mapped_ms %.2f peak_kib %ld\n", mapped, kib);
        break;
    }
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    return 0;
}

bool TitleIs(Display *display, Window window, const char *title)
{
    char *name = nullptr;
    const bool same = XFetchName(display, window, &name) && name && std::strcmp(name, title) == 0;
    if (name)
        XFree(name);
    return same;
}

int Close(Display *display, const char *title)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
    int sent = 0;
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[i], &attributes) ||
            attributes.map_state != IsViewable || !TitleIs(display, children[i], title))
            continue;
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = children[i];
        event.xclient.message_type = protocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = long(deleteWindow);
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, children[i], False, NoEventMask, &event);
        ++sent;
    }
    if (children)
        XFree(children);
    XSync(display, False);
    return sent > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char **argv)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xprobe: no X display\n");
        return 2;
    }
    if (argc >= 4 && std::strcmp(argv[1], "launch") == 0)
        return Launch(display, std::atoi(argv[2]), argv + 3);
    if (argc == 3 && std::strcmp(argv[1], "close") == 0)
        return Close(display, argv[2]);
    std::fprintf(stderr, "usage: xprobe launch SETTLE_MS PROGRAM [ARGS...] | xprobe close TITLE\n");
    return 2;
}
