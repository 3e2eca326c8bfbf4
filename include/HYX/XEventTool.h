// Turns X events into the named events of the window device: the event's name ("KeyPress",
// "ButtonPress", "Configure", "Expose", ...) and its data text, such as "z-Alt:120:80" for
// Alt+z with the pointer at (120, 80), "B1-P:10:20" for a press of button 1, "640:512" for a
// new window size.
#ifndef HYX_XEVENTTOOL_H
#define HYX_XEVENTTOOL_H

#include "HYX/Export.h"

struct _XDisplay;
union _XEvent;

namespace HYX {

class HYX_API XEventTool {
public:
    static constexpr int MAX_KEY_TEXT = 80;
    static constexpr int DATA_SIZE = 128;

    // Name of an X event type; "Unknown" for types without one.
    static const char* getName(int type);
    // Modifier suffixes of a key or button state: "-Alt", "-Shft", "-Cntrl" in that order.
    static void modifiers(unsigned int state, char* out, int size);
    // Name and data text of an event. Further Configure or Expose events of the same window
    // waiting in the queue are merged into this one (the latest size wins).
    static const char* translate(_XDisplay* d, _XEvent& ev, char* data, int size);
};

} // namespace HYX

#endif
