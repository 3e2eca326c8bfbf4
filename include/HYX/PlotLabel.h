// One queued label of a plot: the label line (layer) it goes on, its position code
// ("ul", "uc", "ur", "ll", "lc", "lr"), its text with escapes and its attribute string.
#ifndef HYX_PLOTLABEL_H
#define HYX_PLOTLABEL_H

#include "HYX/Export.h"

namespace HYX {

class HYX_API PlotLabel {
public:
    static constexpr int LOCATE_SIZE = 10;
    static constexpr int STRING_SIZE = 100;
    static constexpr int FORMAT_SIZE = 50;

    PlotLabel() { init(); }
    void init();
    void set(int layer, const char* locate, const char* text, const char* format);
    void print() const;

    int layer;
    char locate[LOCATE_SIZE];
    char string[STRING_SIZE];
    char format[FORMAT_SIZE];
};

} // namespace HYX

#endif
