// A box given by its corner, width and height: the clip rectangle of the file devices.
#ifndef HYX_GEOMBOX_H
#define HYX_GEOMBOX_H

#include "HYX/Export.h"

namespace HYX {

class HYX_API GeomBox {
public:
    void set(float px, float py, float w, float h) {
        x = px;
        y = py;
        width = w;
        height = h;
    }

    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;
};

} // namespace HYX

#endif
