// The label queue of a plot: drawings queue labels while they draw, each on the current
// label line (layer), and move to the next line when done; stand-alone labels (layer -1)
// replace the queued ones at their position.
#ifndef HYX_PLOTLABELS_H
#define HYX_PLOTLABELS_H

#include "HYX/Export.h"
#include "HYX/PlotLabel.h"

#include <array>

namespace HYX {

class HYX_API PlotLabels {
public:
    static constexpr int MAX_LABEL = 30;
    static constexpr int FORMAT_SIZE = 100;

    // Empties the queue and returns to the first line.
    void clear();
    // The attribute string copied into each label when it is queued.
    int setFormat(const char* str);
    const char* getFormat() const { return label_format; }
    // 0 when the queue is full.
    int add(const char* locate, const char* text);
    int set(const char* locate, const char* text);
    int done() { return ++layer; }
    int getLayer() const { return layer; }
    int getNum() const { return num_label; }
    const PlotLabel& get(int i) const { return label[i >= 0 && i < MAX_LABEL ? i : 0]; }
    // "ul" 0, "uc" 1, "ur" 2, "ll" 3, "lc" 4, "lr" 5; anything else 0.
    static int getPosIndex(const char* locate);
    void print() const;

private:
    int queue(int lay, const char* locate, const char* text);

    std::array<PlotLabel, MAX_LABEL> label;
    int num_label = 0;
    int layer = 0;
    char label_format[FORMAT_SIZE] = {};
};

} // namespace HYX

#endif
