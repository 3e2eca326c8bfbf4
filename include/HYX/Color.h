// One named colour of a colour table: its components (0..1) and the device colour value
// it was given when allocated (-1 before).
#ifndef HYX_COLOR_H
#define HYX_COLOR_H

#include "HYX/Export.h"

namespace HYX {

class RGB;

class HYX_API Color {
public:
    static constexpr int NAME_SIZE = 20;

    Color() = default;
    Color(const char* n, float r, float g, float b) { set(n, r, g, b); }

    void init();
    void set(const char* n, float r, float g, float b);
    void setRGB(float r, float g, float b);
    void get(RGB& c) const;
    const char* getName() const { return name; }
    void print() const;

    char name[NAME_SIZE] = {};
    float red = -1;
    float grn = -1;
    float blu = -1;
    int value = -1;
};

} // namespace HYX

#endif
