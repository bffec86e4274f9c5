/* close-request WINDOW-ID: asks an X window to close, as a window manager
 * does when the user presses its close button: a WM_PROTOCOLS client message
 * carrying WM_DELETE_WINDOW. The window's own program decides what follows.
 * Exit 0 when the message was sent; 1 when the window takes no such
 * request; 2 on a usage or connection error. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>

static int takes_delete(Display* display, Window window, Atom delete_window)
{
    Atom* protocols = NULL;
    int count = 0, found = 0;
    if (XGetWMProtocols(display, window, &protocols, &count)) {
        for (int i = 0; i < count; ++i)
            if (protocols[i] == delete_window) found = 1;
        XFree(protocols);
    }
    return found;
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: close-request WINDOW-ID\n");
        return 2;
    }
    char* end = NULL;
    unsigned long window = strtoul(argv[1], &end, 0);
    if (!end || *end != '\0' || window == 0) {
        fprintf(stderr, "close-request: not a window id: %s\n", argv[1]);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "close-request: cannot open the display\n");
        return 2;
    }
    Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    Atom delete_window = XInternAtom(display, "WM_DELETE_WINDOW", False);
    if (!takes_delete(display, (Window)window, delete_window)) {
        fprintf(stderr, "close-request: window %s takes no WM_DELETE_WINDOW\n", argv[1]);
        XCloseDisplay(display);
        return 1;
    }
    XEvent event = {0};
    event.xclient.type = ClientMessage;
    event.xclient.window = (Window)window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)delete_window;
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, (Window)window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}
