// The label queue of a plot.
#include "HYX/PlotLabels.h"

#include "HYX/StrLib.h"

namespace HYX {

void PlotLabels::clear() {
    num_label = 0;
    layer = 0;
}

int PlotLabels::setFormat(const char* str) {
    StrLib::copy(label_format, sizeof label_format, str);
    return 1;
}

int PlotLabels::queue(int lay, const char* locate, const char* text) {
    if (num_label >= MAX_LABEL) return 0;
    label[num_label++].set(lay, locate, text, label_format);
    return 1;
}

int PlotLabels::add(const char* locate, const char* text) { return queue(layer, locate, text); }

int PlotLabels::set(const char* locate, const char* text) { return queue(-1, locate, text); }

int PlotLabels::getPosIndex(const char* locate) {
    static const char* const CODES[] = {"ul", "uc", "ur", "ll", "lc", "lr"};
    for (int k = 0; k < 6; ++k)
        if (StrLib::equal(locate, CODES[k])) return k;
    return 0;
}

void PlotLabels::print() const {
    for (int i = 0; i < num_label; ++i) label[i].print();
}

} // namespace HYX
