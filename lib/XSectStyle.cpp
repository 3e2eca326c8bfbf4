// How a cross section is drawn.
#include "HYX/XSectStyle.h"

#include "HYX/Strings.h"

namespace HYX {

XSectStyle XSectStyle::program(const char* param) {
    XSectStyle s;
    s.tidy = true;
    s.setParam(param);
    return s;
}

int XSectStyle::setParam(const char* param) {
    const Strings items(param, ',');
    for (int i = 0; i < items.getNum(); ++i) {
        if (items.iequal(i, "heading"))
            heading = true;
        else if (items.iequal(i, "km"))
            km = true;
        else if (items.iequal(i, "mandatory"))
            mandatory = true;
        else if (items.iequal(i, "thin"))
            thin = true;
        else if (items.iequal(i, "smooth"))
            smooth = true;
    }
    return 1;
}

Rect XSectStyle::getArea() const {
    // The tidy layout keeps room for the colour key at the right and for the station names
    // and the distance axis below the frame.
    return tidy ? Rect(0.07f, 0.08f, 0.92f, 0.94f) : Rect(0.06f, 0.05f, 0.95f, 0.95f);
}

} // namespace HYX
