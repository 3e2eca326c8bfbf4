// The drawing switches of a plot.
#include "HYX/DrawSwitch.h"

#include "HYX/StrLib.h"
#include "HYX/Strings.h"

#include <cstdio>

namespace HYX {

int DrawSwitch::set(const char* str) {
    if (!StrLib::valid(str)) {
        setAll(true);
        return 0;
    }
    struct Name {
        const char* name;
        int first, last;
    };
    static const Name NAMES[] = {{"plot", 0, 0},    {"sum", 0, 0},     {"data", 1, 1},
                                 {"grid", 2, 2},    {"map", 2, 2},     {"text_ul", 3, 3},
                                 {"text_uc", 4, 4}, {"text_ur", 5, 5}, {"text_ll", 6, 6},
                                 {"text_lc", 7, 7}, {"text_lr", 8, 8}, {"bord", 9, 9},
                                 {"text", 3, 9}};
    setAll(false);
    Strings items(str, ',');
    for (int i = 0; i < items.getNum(); ++i) {
        if (!items.valid(i)) continue;
        const char* s = items.getString(i);
        while (*s == ' ') ++s;
        bool on = true;
        if (*s == '+' || *s == '-') {
            on = *s == '+';
            if (!on && i == 0) setAll(true);
            ++s;
        }
        if (StrLib::iequal(s, "all")) {
            setAll(on);
        } else if (StrLib::iequal(s, "none")) {
            setAll(!on);
        } else {
            for (const Name& n : NAMES)
                if (StrLib::iequal(s, n.name))
                    for (int k = n.first; k <= n.last; ++k) draw[k] = on;
        }
    }
    return 1;
}

void DrawSwitch::print() const {
    for (int i = 0; i < NUM; ++i) std::printf("draw[%d] = %d\n", i, draw[i] ? 1 : 0);
}

} // namespace HYX
