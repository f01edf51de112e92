// A small X client for the window tests. It shows one top-level window and
// prints each WM_COMMAND ClientMessage it receives:
//   x_test_window [--title T] [--net-name T] [--class C] [--frame]
// --title sets WM_NAME (Latin-1), --net-name sets _NET_WM_NAME (UTF-8),
// --frame puts the window inside a frame window the way a reparenting window
// manager does (and marks it with WM_STATE). Prints "ready <window id>" once
// the window is up, then "WM_COMMAND <wParam> <lParam>" per message.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
  const char* title = nullptr;
  const char* net_name = nullptr;
  const char* klass = nullptr;
  bool frame = false;
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    if (option == "--frame") {
      frame = true;
    } else if (i + 1 < argc && option == "--title") {
      title = argv[++i];
    } else if (i + 1 < argc && option == "--net-name") {
      net_name = argv[++i];
    } else if (i + 1 < argc && option == "--class") {
      klass = argv[++i];
    } else {
      std::fprintf(stderr, "x_test_window: bad option %s\n", argv[i]);
      return 2;
    }
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "x_test_window: cannot open display %s\n", XDisplayName(nullptr));
    return 1;
  }
  Window root = DefaultRootWindow(display);
  Window window = XCreateSimpleWindow(display, root, 10, 10, 200, 100, 0, 0, 0);
  if (title) XStoreName(display, window, title);
  if (net_name) {
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(net_name),
                    static_cast<int>(std::strlen(net_name)));
  }
  if (klass) {
    XClassHint hint{const_cast<char*>("x_test_window"), const_cast<char*>(klass)};
    XSetClassHint(display, window, &hint);
  }
  if (frame) {
    Window outer = XCreateSimpleWindow(display, root, 5, 5, 220, 130, 0, 0, 0);
    Window middle = XCreateSimpleWindow(display, outer, 2, 20, 210, 105, 0, 0, 0);
    XReparentWindow(display, window, middle, 0, 0);
    Atom wm_state = XInternAtom(display, "WM_STATE", False);
    long state[2] = {1, 0};  // NormalState, no icon
    XChangeProperty(display, window, wm_state, wm_state, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(state), 2);
    XMapWindow(display, middle);
    XMapWindow(display, outer);
  }
  XMapWindow(display, window);
  XSync(display, False);
  std::printf("ready %lu\n", window);
  std::fflush(stdout);

  Atom wm_command = XInternAtom(display, "WM_COMMAND", False);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == ClientMessage && event.xclient.message_type == wm_command &&
        event.xclient.format == 32) {
      std::printf("WM_COMMAND %u %ld\n", static_cast<std::uint32_t>(event.xclient.data.l[0]),
                  event.xclient.data.l[1]);
      std::fflush(stdout);
    }
  }
}
