// One palette entry of an image: components 0..1 (a red of -1 marks a transparent entry)
// and the device value the entry was given when drawn.
#ifndef HYX_IMAGECOLOR_H
#define HYX_IMAGECOLOR_H

#include "HYX/Export.h"

namespace HYX {

class HYX_API ImageColor {
public:
    ImageColor() = default;
    ImageColor(float red, float grn, float blu) : r(red), g(grn), b(blu) {}

    void set(float red, float grn, float blu) {
        r = red;
        g = grn;
        b = blu;
    }
    bool isTrans() const { return r == -1.0f; }

    float r = 0;
    float g = 0;
    float b = 0;
    int val = -1;
};

} // namespace HYX

#endif
