// What a drawing shows at a place of the plot, told in its own terms (a pressure, a
// station, the values drawn there) when the user asks with Alt+v in the window.
#ifndef HYX_READOUT_H
#define HYX_READOUT_H

#include "HYX/Export.h"

#include <string>

namespace HYX {

class HYX_API Readout {
public:
    virtual ~Readout() = default;
    // Lines ending in a line feed about the window point (wx, wy) of the plot's current
    // coordinates; "" when the drawing has nothing to say there.
    virtual std::string describe(float wx, float wy) const = 0;
};

} // namespace HYX

#endif
