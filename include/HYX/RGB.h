// A colour by its red, green and blue components (0..1; -1 means no colour).
#ifndef HYX_RGB_H
#define HYX_RGB_H

#include "HYX/Export.h"

namespace HYX {

class HYX_API RGB {
public:
    RGB() = default;
    RGB(float r, float g, float b) : red(r), grn(g), blu(b) {}

    void set(float r, float g, float b) {
        red = r;
        grn = g;
        blu = b;
    }
    bool valid() const { return red >= 0; }

    float red = -1;
    float grn = -1;
    float blu = -1;
};

} // namespace HYX

#endif
