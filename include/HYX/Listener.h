// Receiver of named events ("Redraw", "KeyPress", "Idle") with a data text.
#ifndef HYX_LISTENER_H
#define HYX_LISTENER_H

#include "HYX/Export.h"

namespace HYX {

class HYX_API Listener {
public:
    virtual ~Listener() = default;
    virtual void callback(const char* type, const char* data, const void* arg) = 0;
};

} // namespace HYX

#endif
