// The colour key of filled contours beside the plot.
#include "HYX/ColorKey.h"

#include "HYX/ColorFill.h"
#include "HYX/Hyx.h"
#include "HYX/Plot.h"
#include "HYX/PlotAttr.h"
#include "HYX/Range.h"
#include "HYX/Tools.h"

#include <cmath>

namespace HYX {

namespace {

constexpr int MAX_BOXES = 1000;
constexpr float GAP = 0.005f;

} // namespace

void ColorKey::set(const Rect& a, const char* u) {
    area = a;
    units.copy(u ? u : "");
}

std::vector<float> ColorKey::levels(const ColorFill& fill, const Range& range) {
    std::vector<float> out;
    if (range.min == Const::FMISS || range.max == Const::FMISS) return out;
    if (fill.areValuesSet()) {
        for (int i = 0; i < fill.getNum(); ++i) {
            const float v = fill.getValue(i);
            if (v != Const::FMISS && v >= range.min && v <= range.max) out.push_back(v);
        }
        return out;
    }
    const float inc = fill.getInterval();
    if (inc == Const::FMISS || !(inc > 0)) return out;
    const double n = std::floor((static_cast<double>(range.max) - range.min) / inc + 0.01);
    if (!(n >= 1) || n > MAX_BOXES) return out;
    for (int i = 0; i <= n; ++i) out.push_back(range.min + i * inc);
    return out;
}

int ColorKey::draw(Plot& plot, const ColorFill& fill, const Range& range) const {
    const std::vector<float> v = levels(fill, range);
    if (!area.valid() || v.size() < 2) return 0;
    const int n = static_cast<int>(v.size()) - 1;
    const int tran = plot.getTran();
    plot.activateTran(0);

    const float x0 = area.xmin, x1 = area.xmin + BOX_WIDTH;
    const float bh = area.getHeight() / n;
    plot.setFillStyle(0);
    for (int i = 0; i < n; ++i) {
        PlotAttr a = fill.get(v[i]);
        plot.setFill(a);
        plot.setLine(a);
        plot.drawFill(Rect(x0, area.ymin + i * bh, x1, area.ymin + (i + 1) * bh));
    }

    PlotAttr text(Hyx::getResrc("color_text", plot.getForeground()));
    plot.setText();
    plot.setText(text);
    plot.setTextHeight(TEXT_HEIGHT);
    plot.setLine(text);
    plot.drawRect(Rect(x0, area.ymin, x1, area.ymax));
    // Every level while their labels fit, else every k-th.
    const int every = static_cast<int>(std::ceil(1.3f * TEXT_HEIGHT / bh));
    plot.setTextAlign(1, 3);
    String num;
    for (int i = 0; i <= n; i += every > 1 ? every : 1) {
        const float y = area.ymin + i * bh;
        plot.drawLine(x1, y, x1 + GAP / 2, y);
        Tools::toString(v[i], num);
        plot.drawText(x1 + GAP, y, num.get());
    }
    if (units.valid()) {
        plot.setTextAlign(2, 4);
        plot.drawText((x0 + x1) / 2, area.ymax + GAP, units.get());
    }
    plot.activateTran(tran);
    return 1;
}

} // namespace HYX
