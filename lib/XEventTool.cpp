// Event names and data texts of the window device.
#include "HYX/XEventTool.h"

#include "HYX/StrLib.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace HYX {

namespace {

// Names by X event type, from KeyPress (2) to MappingNotify (34).
const char* const NAMES[] = {
    "KeyPress",         "KeyRelease",       "ButtonPress",    "ButtonRelease",    "MotionNotify",
    "EnterNotify",      "LeaveNotify",      "FocusIn",        "FocusOut",         "KeymapNotify",
    "Expose",           "GraphicsExpose",   "NoExpose",       "VisibilityNotify", "CreateNotify",
    "DestroyNotify",    "UnmapNotify",      "MapNotify",      "MapRequest",       "ReparentNotify",
    "Configure",        "ConfigureRequest", "GravityNotify",  "ResizeRequest",    "CirculateNotify",
    "CirculateRequest", "PropertyNotify",   "SelectionClear", "SelectionRequest", "SelectionNotify",
    "ColormapNotify",   "ClientMessage",    "MappingNotify"};
constexpr int FIRST_TYPE = KeyPress;
constexpr int NUM_NAMES = sizeof NAMES / sizeof NAMES[0];

} // namespace

const char* XEventTool::getName(int type) {
    const int i = type - FIRST_TYPE;
    return i >= 0 && i < NUM_NAMES ? NAMES[i] : "Unknown";
}

void XEventTool::modifiers(unsigned int state, char* out, int size) {
    StrLib::copy(out, size, "");
    if (state & Mod1Mask) StrLib::append(out, size, "-Alt");
    if (state & ShiftMask) StrLib::append(out, size, "-Shft");
    if (state & ControlMask) StrLib::append(out, size, "-Cntrl");
}

const char* XEventTool::translate(Display* d, XEvent& ev, char* data, int size) {
    StrLib::copy(data, size, "");
    char mods[32];
    switch (ev.type) {
    case KeyPress: {
        char key[MAX_KEY_TEXT + 1];
        KeySym sym = 0;
        int n = XLookupString(&ev.xkey, key, MAX_KEY_TEXT, &sym, nullptr);
        key[n > 0 && n <= MAX_KEY_TEXT ? n : 0] = 0;
        if (sym == XK_Return || sym == XK_KP_Enter) StrLib::copy(key, sizeof key, "Ret");
        modifiers(ev.xkey.state, mods, sizeof mods);
        StrLib::printf(data, size, "%s%s:%d:%d", key, mods, ev.xkey.x, ev.xkey.y);
        break;
    }
    case ButtonPress:
        modifiers(ev.xbutton.state, mods, sizeof mods);
        StrLib::printf(data, size, "B%u-P%s:%d:%d", ev.xbutton.button, mods, ev.xbutton.x,
                       ev.xbutton.y);
        break;
    case ButtonRelease:
        modifiers(ev.xbutton.state, mods, sizeof mods);
        StrLib::printf(data, size, "B%u-R%s", ev.xbutton.button, mods);
        break;
    case ConfigureNotify: {
        // Only the size the window settled at matters: a drag sends a stream of these.
        XEvent later;
        while (d && XCheckTypedWindowEvent(d, ev.xany.window, ConfigureNotify, &later)) ev = later;
        StrLib::printf(data, size, "%d:%d", ev.xconfigure.width, ev.xconfigure.height);
        break;
    }
    case Expose: {
        // One repaint from the off-screen picture covers every exposed part.
        XEvent later;
        while (d && XCheckTypedWindowEvent(d, ev.xany.window, Expose, &later)) {
        }
        break;
    }
    default:
        break;
    }
    return getName(ev.type);
}

} // namespace HYX
