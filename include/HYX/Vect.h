// A wind vector: u towards +x, v towards +y.
#ifndef HYX_VECT_H
#define HYX_VECT_H

#include "HYX/Const.h"
#include "HYX/Export.h"

namespace HYX {

class HYX_API Vect {
public:
    Vect() = default;
    Vect(float px, float py) : x(px), y(py) {}

    void init() { x = y = 0; }
    void set(float px, float py) {
        x = px;
        y = py;
    }
    float getX() const { return x; }
    float getY() const { return y; }
    int add(const Vect& v);
    int sub(const Vect& v);
    int scale(float f);
    void print() const;

    float x = 0;
    float y = 0;
};

} // namespace HYX

#endif
