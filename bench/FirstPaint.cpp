// Starts a program and watches its first window on the X server of DISPLAY:
// prints the milliseconds from exec to the window being mapped and to its
// picture being on the screen, and the CPU time the program had used by
// then. The window counts as painted once its pixels are a picture, not a
// flat fill: most of a grid of sample points lit, in many colours. The
// program is left running, its standard output on /dev/null; its process
// id is printed first.
//   kanacatch_first_paint PROGRAM [ARGUMENTS...]
// prints "pid=... mapped_ms=... painted_ms=... cpu_ms=... started_ms=..."
// (started_ms: the exec's wall-clock time, milliseconds since the epoch).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The CPU time of every thread of `pid`, from the scheduler's nanosecond counts.
double CpuMs(pid_t pid) {
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  double ns = 0;
  if (DIR* dir = opendir(tasks.c_str())) {
    while (dirent* entry = readdir(dir)) {
      if (entry->d_name[0] == '.') continue;
      std::ifstream stat(tasks + "/" + entry->d_name + "/schedstat");
      double onCpu = 0;
      if (stat >> onCpu) ns += onCpu;
    }
    closedir(dir);
  }
  return ns / 1e6;
}

long WindowPid(Display* display, Window window) {
  static const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  long pid = -1;
  if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                         &after, &data) == Success &&
      data && count == 1)
    pid = *reinterpret_cast<long*>(data);
  if (data) XFree(data);
  return pid;
}

// A viewable top-level window of `pid`, or None.
Window ViewableWindowOf(Display* display, pid_t pid) {
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  Window found = None;
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
    return None;
  for (unsigned i = 0; i < count && found == None; ++i) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, children[i], &attributes) &&
        attributes.map_state == IsViewable && WindowPid(display, children[i]) == pid)
      found = children[i];
  }
  if (children) XFree(children);
  return found;
}

// True when the window's area on the screen shows a picture: at least three
// quarters of a 16 x 12 grid of points not black, in at least 8 colours.
bool ShowsPicture(Display* display, Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return false;
  const Window root = DefaultRootWindow(display);
  int x, y;
  Window child;
  XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child);
  const int right = std::min(x + attributes.width, DisplayWidth(display, DefaultScreen(display)));
  const int bottom =
      std::min(y + attributes.height, DisplayHeight(display, DefaultScreen(display)));
  x = std::max(x, 0);
  y = std::max(y, 0);
  if (right <= x || bottom <= y) return false;
  XImage* image = XGetImage(display, root, x, y, right - x, bottom - y, AllPlanes, ZPixmap);
  if (!image) return false;
  std::set<unsigned long> colours;
  int lit = 0;
  for (int row = 0; row < 12; ++row) {
    for (int column = 0; column < 16; ++column) {
      const unsigned long pixel = XGetPixel(image, (2 * column + 1) * image->width / 32,
                                            (2 * row + 1) * image->height / 24);
      if ((pixel & 0xffffff) != 0) ++lit;
      colours.insert(pixel);
    }
  }
  XDestroyImage(image);
  return lit >= 144 && colours.size() >= 8;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENTS...]\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "%s: cannot open the display\n", argv[0]);
    return 1;
  }
  // A window that goes away between two requests is not an error here.
  XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  const auto startedMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                             std::chrono::system_clock::now().time_since_epoch())
                             .count();
  const Clock::time_point start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    // Only this watcher's line goes to the standard output.
    if (const int quiet = open("/dev/null", O_WRONLY); quiet >= 0) dup2(quiet, STDOUT_FILENO);
    execv(argv[1], argv + 1);
    std::perror(argv[1]);
    _exit(127);
  }
  Window window = None;
  double mappedMs = 0;
  while (MsSince(start) < 30000) {
    if (window == None && (window = ViewableWindowOf(display, pid)) != None)
      mappedMs = MsSince(start);
    if (window != None && ShowsPicture(display, window)) {
      const double paintedMs = MsSince(start);
      std::printf("pid=%d mapped_ms=%.1f painted_ms=%.1f cpu_ms=%.1f started_ms=%lld\n", pid,
                  mappedMs, paintedMs, CpuMs(pid), static_cast<long long>(startedMs));
      return 0;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  std::fprintf(stderr, "%s: no picture in a window of %s within 30 s\n", argv[0], argv[1]);
  kill(pid, SIGTERM);
  return 1;
}
