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

    // A component 0..1 as a byte 0..255: truncated, as GIF colour tables and PostScript
    // samples have it, with a small allowance that keeps k/255 at k despite float rounding.
    // Every image writer converts through here, so that one picture saved as GIF and as PNG
    // decodes to the same pixels, and a colour read from an image file is written back as is.
    static int toByte(float v) {
        if (!(v > 0.0f)) return 0;
        if (v >= 1.0f) return 255;
        return static_cast<int>(255.0f * v + 0.001f);
    }

    float red = -1;
    float grn = -1;
    float blu = -1;
};

} // namespace HYX

#endif
