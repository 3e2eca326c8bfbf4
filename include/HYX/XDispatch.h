// What all windows of the process share: the display connection with its error handlers,
// the window table, the list of listeners in registration order, the delivery of events
// to them, and the event loop that runs while a window is managed.
#ifndef HYX_XDISPATCH_H
#define HYX_XDISPATCH_H

#include "HYX/Export.h"
#include "HYX/XWindow.h"

namespace HYX {

class HYX_API XDispatch {
public:
    using XId = XWindow::XId;

    // Connects to the display (name empty: the default one) unless connected; 0 on failure.
    static int connect(const char* name);
    // Whether the display (name empty: the default one) takes a connection, without a
    // message when it does not.
    static bool canConnect(const char* name);
    // Closes the connection when no window is left.
    static void disconnect();
    // Forgets all shared state; refused while windows are open.
    static void reset();

    // Registers a listener of a window for an X event type (0 = every event).
    static int add(XId win, int type, Listener* l, const void* data);
    // Drops every listener of a window.
    static void remove(XId win);
    // Calls the listeners of win registered for type or for every event, in order.
    static void deliver(XId win, int type, const char* name, const char* data);
    // Calls every listener of win.
    static void deliverAll(XId win, const char* name, const char* data);

    static void processEvent(_XEvent& ev);
    static void processPending();
    static int mainloop();

    static bool hasWindow(XId win);
    static bool isListed(const XWindow* w);
    static XWindow* findWindow(XId win);
    static XWindow* firstWindow();

    // For the X error handlers.
    static void noteError() { XWindow::error = 1; }
    static bool printErrors() { return XWindow::error_print != 0; }
    static void noteDisconnect();

private:
    static void walk(XId win, int type, bool every, const char* name, const char* data);
};

} // namespace HYX

#endif
