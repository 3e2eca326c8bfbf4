// The shared display connection, listener list, event delivery and event loop.
#include "HYX/XDispatch.h"

#include "HYX/Hyx.h"
#include "HYX/Timer.h"
#include "HYX/XEventTool.h"

#include <X11/Xlib.h>

#include <cstdio>

namespace HYX {

namespace {

XErrorHandler old_error_handler = nullptr;
XIOErrorHandler old_io_handler = nullptr;

// A protocol error is reported and drawing goes on.
int onError(Display* d, XErrorEvent* e) {
    XDispatch::noteError();
    if (!XDispatch::printErrors()) return 0;
    char text[128] = "";
    char code[16];
    char request[128] = "";
    XGetErrorText(d, e->error_code, text, sizeof text);
    std::snprintf(code, sizeof code, "%d", e->request_code);
    XGetErrorDatabaseText(d, "XRequest", code, code, request, sizeof request);
    Hyx::outError("X11 error: %s in %s\n", text, request);
    return 0;
}

int onIOError(Display*) {
    XDispatch::noteDisconnect();
    Hyx::outError("X11 Disconnected\n");
    return 0;
}

// Returning here keeps the program alive without its display: the event loop ends and the
// program finishes its run; later calls on the lost connection do nothing.
void onIOExit(Display*, void*) {}

} // namespace

void XDispatch::noteDisconnect() {
    XWindow::io_error = true;
    XWindow::managed = false;
}

int XDispatch::connect(const char* name) {
    if (XWindow::display) return 1;
    reset();
    old_error_handler = XSetErrorHandler(onError);
    old_io_handler = XSetIOErrorHandler(onIOError);
    XWindow::display = XOpenDisplay(name && name[0] ? name : nullptr);
    if (!XWindow::display) {
        XSetErrorHandler(old_error_handler);
        XSetIOErrorHandler(old_io_handler);
        Hyx::outError("XWindow: unable to connect to display\n");
        return 0;
    }
    XSetIOErrorExitHandler(XWindow::display, onIOExit, nullptr);
    return 1;
}

bool XDispatch::canConnect(const char* name) {
    if (XWindow::display) return true;
    Display* d = XOpenDisplay(name && name[0] ? name : nullptr);
    if (d) XCloseDisplay(d);
    return d != nullptr;
}

void XDispatch::disconnect() {
    if (!XWindow::display || XWindow::num_window > 0) return;
    XCloseDisplay(XWindow::display);
    XWindow::display = nullptr;
    XSetErrorHandler(old_error_handler);
    XSetIOErrorHandler(old_io_handler);
    XWindow::managed = false;
    XWindow::io_error = false;
}

void XDispatch::reset() {
    if (XWindow::num_window > 0) return;
    disconnect();
    XWindow::windows.fill(nullptr);
    XWindow::callbacks.reset();
    XWindow::managed = false;
    XWindow::error = 0;
    XWindow::error_print = 1;
    XWindow::io_error = false;
}

int XDispatch::add(XId win, int type, Listener* l, const void* data) {
    auto item = std::make_unique<XWindow::XCallbackItem>();
    item->type = type;
    item->window = win;
    item->listener = l;
    item->data = data;
    std::unique_ptr<XWindow::XCallbackItem>* end = &XWindow::callbacks;
    while (*end) end = &(*end)->next;
    *end = std::move(item);
    return 1;
}

void XDispatch::remove(XId win) {
    std::unique_ptr<XWindow::XCallbackItem>* p = &XWindow::callbacks;
    while (*p) {
        if ((*p)->window == win)
            *p = std::move((*p)->next);
        else
            p = &(*p)->next;
    }
}

bool XDispatch::hasWindow(XId win) {
    for (const XWindow* w : XWindow::windows)
        if (w && w->window == win) return true;
    return false;
}

bool XDispatch::isListed(const XWindow* w) {
    for (const XWindow* v : XWindow::windows)
        if (v == w) return true;
    return false;
}

XWindow* XDispatch::findWindow(XId win) {
    for (XWindow* w : XWindow::windows)
        if (w && w->type == 1 && w->window == win) return w;
    return nullptr;
}

XWindow* XDispatch::firstWindow() {
    for (XWindow* w : XWindow::windows)
        if (w) return w;
    return nullptr;
}

// A listener may close the window, which frees its items: the walk then stops before
// touching them again.
void XDispatch::walk(XId win, int type, bool every, const char* name, const char* data) {
    for (XWindow::XCallbackItem* it = XWindow::callbacks.get(); it;) {
        if (it->window == win && (every || it->type == 0 || it->type == type)) {
            it->listener->callback(name, data ? data : "", it->data);
            if (!hasWindow(win)) return;
        }
        it = it->next.get();
    }
}

void XDispatch::deliver(XId win, int type, const char* name, const char* data) {
    walk(win, type, false, name, data);
}

void XDispatch::deliverAll(XId win, const char* name, const char* data) {
    walk(win, 0, true, name, data);
}

void XDispatch::processEvent(XEvent& ev) {
    char data[XEventTool::DATA_SIZE];
    const char* name = XEventTool::translate(XWindow::display, ev, data, sizeof data);
    Hyx::outDebug(5, "Event: %s - %s\n", name, data);
    if (findWindow(ev.xany.window)) deliver(ev.xany.window, ev.type, name, data);
}

void XDispatch::processPending() {
    while (XWindow::display && !XWindow::io_error && XPending(XWindow::display) > 0) {
        XEvent ev;
        XNextEvent(XWindow::display, &ev);
        processEvent(ev);
    }
}

// Polls every 0.2 s rather than blocking, so that it can animate and send "Idle" events.
// Listeners may close windows at any event: the first window is looked up afresh each time.
int XDispatch::mainloop() {
    constexpr double POLL = 0.2;
    XWindow* w = firstWindow();
    if (!w) return 0;
    if (w->num_frame > 1) w->looping = 1;
    Timer timer;
    while (XWindow::managed && (w = firstWindow())) {
        if (w->num_frame < 2) {
            w->setCursor(XWindow::CUR_READY);
            processPending();
            Timer::sleep(POLL);
        } else if (w->looping) {
            w->setCursor(XWindow::CUR_LOOP);
            const double d = w->frameDelay();
            while (XWindow::managed && d - timer.elapsed() > POLL) {
                processPending();
                Timer::sleep(POLL);
            }
            if (XWindow::managed) Timer::sleep(d - timer.elapsed());
            w = firstWindow();
            if (w && XWindow::managed && w->mapped && w->looping && w->num_frame > 1)
                w->incFrame(0);
            timer.start();
            processPending();
        } else {
            w->setCursor(XWindow::CUR_STOP);
            processPending();
            Timer::sleep(POLL);
        }
        if (XWindow::managed && (w = firstWindow()))
            deliver(w->window, XWindow::IDLE_EVENT, "Idle", "");
    }
    return 1;
}

} // namespace HYX
