// Starts a program on an X display and measures it, for bench/startup:
//   window_probe [--idle SECONDS] [--settle SECONDS] -- PROGRAM [ARGUMENTS...]
// prints one line: startup_ms (exec until its window is mapped and fully drawn), mapped_ms,
// hwm_kb (peak resident memory), rss_kb, idle_cpu_ms (CPU time of all its threads over the idle
// period), idle_wakeups (context switches there), idle_repaints (drawing there) and
// startup_cpu_ms (CPU time of all its threads from exec until drawn).
//
// How "drawn" is seen: before starting the program the probe asks for raw damage reports on the
// root window. On a server without a compositor (Xvfb here), rendering into any window is
// reported on the root as well, so no drawing can slip past between the window's creation and
// the probe noticing it. The program's window is the first top-level window mapped after the
// start; it counts as drawn once the damage reported after its MapNotify covers its whole area.
// The programs' windows have no server-side background, so that damage is the program's own
// painting of every pixel, not the server clearing the window.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

double nowMs() {
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_nsec) / 1e6;
}

[[noreturn]] void die(const char* message) {
    std::fprintf(stderr, "window_probe: %s\n", message);
    std::exit(2);
}

// A field of /proc/<pid>/status in kB, or a count ("voluntary_ctxt_switches").
long statusField(const std::string& path, const std::string& field) {
    std::ifstream status(path);
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0) return std::strtol(line.c_str() + field.size() + 1, nullptr, 10);
    }
    return 0;
}

struct Usage {
    long long cpuNs = 0;  // time on a CPU, all threads
    long switches = 0;    // voluntary and involuntary context switches, all threads
};

// Summed over the process's threads, from the scheduler's nanosecond accounting.
Usage usageOf(pid_t pid) {
    Usage usage;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* directory = opendir(tasks.c_str());
    if (!directory) return usage;
    while (const dirent* entry = readdir(directory)) {
        if (entry->d_name[0] == '.') continue;
        const std::string task = tasks + "/" + entry->d_name;
        std::ifstream schedstat(task + "/schedstat");
        long long onCpu = 0;
        if (schedstat >> onCpu) usage.cpuNs += onCpu;
        usage.switches += statusField(task + "/status", "voluntary_ctxt_switches") +
                          statusField(task + "/status", "nonvoluntary_ctxt_switches");
    }
    closedir(directory);
    return usage;
}

struct Geometry {
    int x = 0, y = 0, width = 0, height = 0;
};

class Probe {
public:
    Probe() {
        display_ = XOpenDisplay(nullptr);
        if (!display_) die("cannot open the display");
        int errorBase = 0;
        if (!XDamageQueryExtension(display_, &damageEvent_, &errorBase)) die("the display has no DAMAGE extension");
        int major = 0, minor = 0;
        XDamageQueryVersion(display_, &major, &minor);
        root_ = DefaultRootWindow(display_);
        XSelectInput(display_, root_, SubstructureNotifyMask);
        XDamageCreate(display_, root_, XDamageReportRawRectangles);
        XSync(display_, False);
        drain();  // the root's damage so far
        damaged_ = XCreateRegion();
    }

    // Handles the events at hand, waiting at most `timeoutMs` for the first.
    void pump(double timeoutMs) {
        pollfd connection{ConnectionNumber(display_), POLLIN, 0};
        if (XPending(display_) == 0) poll(&connection, 1, static_cast<int>(timeoutMs));
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            handle(event);
        }
    }

    void drain() {
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
        }
    }

    bool mapped() const { return mappedAt_ > 0; }
    bool drawn() const { return drawnAt_ > 0; }
    double mappedAt() const { return mappedAt_; }
    double drawnAt() const { return drawnAt_; }
    long repaints() const { return repaints_; }

private:
    void handle(const XEvent& event) {
        switch (event.type) {
            case CreateNotify:
                if (!event.xcreatewindow.override_redirect && event.xcreatewindow.parent == root_) {
                    windows_[event.xcreatewindow.window] = {event.xcreatewindow.x, event.xcreatewindow.y,
                                                            event.xcreatewindow.width, event.xcreatewindow.height};
                }
                break;
            case ConfigureNotify: {
                const auto found = windows_.find(event.xconfigure.window);
                if (found != windows_.end()) {
                    found->second = {event.xconfigure.x, event.xconfigure.y, event.xconfigure.width,
                                     event.xconfigure.height};
                }
                break;
            }
            case MapNotify:
                if (!mapped() && windows_.count(event.xmap.window) != 0) {
                    target_ = event.xmap.window;
                    mappedAt_ = nowMs();
                }
                break;
            default:
                if (event.type == damageEvent_ + XDamageNotify && mapped()) {
                    const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
                    const Geometry& window = windows_[target_];
                    XRectangle area = {damage.area.x, damage.area.y, damage.area.width, damage.area.height};
                    const bool inside = area.x < window.x + window.width && area.y < window.y + window.height &&
                                        area.x + area.width > window.x && area.y + area.height > window.y;
                    if (!inside) break;
                    ++repaints_;
                    if (drawn()) break;
                    XUnionRectWithRegion(&area, damaged_, damaged_);
                    if (XRectInRegion(damaged_, window.x, window.y, static_cast<unsigned>(window.width),
                                      static_cast<unsigned>(window.height)) == RectangleIn) {
                        drawnAt_ = nowMs();
                    }
                }
                break;
        }
    }

    Display* display_ = nullptr;
    Window root_ = 0;
    int damageEvent_ = 0;
    std::map<Window, Geometry> windows_;
    Window target_ = 0;
    Region damaged_ = nullptr;
    double mappedAt_ = 0;
    double drawnAt_ = 0;
    long repaints_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    double idleSeconds = 5;
    double settleSeconds = 1;
    int first = 1;
    for (; first < argc; ++first) {
        const std::string option = argv[first];
        if (option == "--") {
            ++first;
            break;
        }
        if (option == "--idle" && first + 1 < argc) {
            idleSeconds = std::atof(argv[++first]);
        } else if (option == "--settle" && first + 1 < argc) {
            settleSeconds = std::atof(argv[++first]);
        } else {
            die("usage: window_probe [--idle SECONDS] [--settle SECONDS] -- PROGRAM [ARGUMENTS...]");
        }
    }
    if (first >= argc) die("no program given");

    Probe probe;
    const double start = nowMs();
    const pid_t child = fork();
    if (child < 0) die("fork failed");
    if (child == 0) {
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        execvp(argv[first], argv + first);
        _exit(127);
    }

    const auto stillRunning = [child] {
        int status = 0;
        return waitpid(child, &status, WNOHANG) == 0;
    };
    while (!probe.drawn()) {
        probe.pump(50);
        if (!stillRunning()) die("the program ended before its window was drawn");
        if (nowMs() - start > 30'000) {
            kill(child, SIGKILL);
            die("no window drawn within 30 s");
        }
    }

    // The program's own CPU time until drawn: less swayed by a busy machine than the wall clock.
    const Usage atDrawn = usageOf(child);

    const auto idleFor = [&](double seconds) {
        const double until = nowMs() + seconds * 1e3;
        for (double left = seconds * 1e3; left > 0; left = until - nowMs()) probe.pump(left);
    };
    idleFor(settleSeconds);
    const long repaintsBefore = probe.repaints();
    const Usage before = usageOf(child);
    idleFor(idleSeconds);
    const Usage after = usageOf(child);
    const long repaintsIdle = probe.repaints() - repaintsBefore;

    const std::string status = "/proc/" + std::to_string(child) + "/status";
    const long peak = statusField(status, "VmHWM");
    const long resident = statusField(status, "VmRSS");
    kill(child, SIGTERM);
    int exitStatus = 0;
    rusage usage{};
    bool ended = false;
    for (int tries = 0; tries < 200 && !ended; ++tries) {
        ended = wait4(child, &exitStatus, WNOHANG, &usage) == child;
        if (!ended) usleep(10'000);
    }
    if (!ended) {
        kill(child, SIGKILL);
        wait4(child, &exitStatus, 0, &usage);
    }

    std::printf("startup_ms=%.1f mapped_ms=%.1f hwm_kb=%ld maxrss_kb=%ld rss_kb=%ld idle_cpu_ms=%.2f idle_wakeups=%ld "
                "idle_repaints=%ld startup_cpu_ms=%.1f\n",
                probe.drawnAt() - start, probe.mappedAt() - start, peak, usage.ru_maxrss, resident,
                static_cast<double>(after.cpuNs - before.cpuNs) / 1e6, after.switches - before.switches, repaintsIdle,
                static_cast<double>(atDrawn.cpuNs) / 1e6);
    return 0;
}
