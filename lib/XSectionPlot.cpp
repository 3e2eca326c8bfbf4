// The frame of a vertical cross section.
#include "HYX/XSectionPlot.h"

#include "HYX/Const.h"
#include "HYX/Date.h"
#include "HYX/Domain.h"
#include "HYX/DomainVal.h"
#include "HYX/Hyx.h"
#include "HYX/Plot.h"
#include "HYX/PlotAttr.h"
#include "HYX/Point.h"

#include <cmath>
#include <cstdio>

namespace HYX {

namespace {

constexpr float TEXT_HEIGHT = 0.015f;
constexpr float LABEL_GAP = 0.01f;

} // namespace

int XSectionPlot::init() {
    pmin = pmax = xmin = xmax = Const::FMISS;
    xinc = pinc = 0;
    view.init();
    labels.set(0);
    dist.fill(0);
    return 1;
}

int XSectionPlot::getDomain(Domain& d) {
    DomainVal v;
    v.proj = 24;
    v.clat = 350.0f;
    v.clon = 5.0f;
    v.dx = 1.0f;
    v.dy = 1.0f;
    v.nx = 10;
    v.ny = 10;
    d.set(v);
    d.print();
    return 1;
}

int XSectionPlot::getInitDate(Date& d) {
    d.init();
    return 1;
}

int XSectionPlot::print() {
    std::printf("XSectionPlot\n");
    return 1;
}

int XSectionPlot::setVertAxis(float top, float bottom, float inc) {
    pmin = top;
    pmax = bottom;
    pinc = inc;
    return 1;
}

int XSectionPlot::setHorAxis(float x0, float x1) {
    xmin = x0;
    xmax = x1;
    return 1;
}

int XSectionPlot::setLabels(const Strings& l) {
    labels = l;
    return 1;
}

int XSectionPlot::setHorDist(int i, float d) {
    if (i < 0 || i >= MAX_COLUMN) return 0;
    dist[i] = d;
    return 1;
}

int XSectionPlot::getNumColumns() const {
    return labels.getNum() < MAX_COLUMN ? labels.getNum() : MAX_COLUMN;
}

float XSectionPlot::pcoord(float p) { return p > 0 ? -std::log(p) : 0.0f; }

float XSectionPlot::getX(float d) const {
    // A section of zero width (all columns at one place) is centred.
    if (xmax == xmin) return (view.xmin + view.xmax) / 2;
    return view.xmin + (d - xmin) / (xmax - xmin) * (view.xmax - view.xmin);
}

float XSectionPlot::getX(int i) const {
    if (i < 0 || i >= MAX_COLUMN) return Const::FMISS;
    return getX(dist[i]);
}

float XSectionPlot::getY(float p) const {
    // Each step is kept in single precision.
    const float top = pcoord(pmin);
    const float bottom = pcoord(pmax);
    if (top == bottom) return (view.ymin + view.ymax) / 2;
    const float height = view.ymax - view.ymin;
    const float part = pcoord(p) - bottom;
    const float whole = top - bottom;
    const float frac = part / whole;
    return view.ymin + height * frac;
}

int XSectionPlot::draw(Plot& plot) {
    const int columns = getNumColumns();
    PlotAttr grid(Hyx::getResrc("color_grid"), "red");
    plot.setLine(grid);

    for (int i = 0; i < columns; ++i) {
        const float x = getX(dist[i]);
        plot.drawLine(Point(x, view.ymin), Point(x, view.ymax));
    }
    const bool pressures = pinc > 0 && pmin != Const::FMISS && pmax != Const::FMISS;
    const float first = pressures ? std::floor(pmax / pinc) * pinc : 0;
    if (pressures)
        for (float p = first; p >= pmin; p -= pinc)
            plot.drawLine(Point(view.xmin, getY(p)), Point(view.xmax, getY(p)));

    const int tran = plot.getTran();
    plot.activateTran(0);

    // Text starts from the default attributes, so the first picture and every redraw match.
    plot.setText();
    plot.setTextHeight(TEXT_HEIGHT);
    PlotAttr grid_text(Hyx::getResrc("color_grid"), "red");
    grid_text.setHeight(TEXT_HEIGHT);
    plot.setText(grid_text);
    plot.setTextAlign(3, 3);
    if (pressures) {
        const int step = static_cast<int>((pmax - pmin) / pinc / 15 + 1);
        int count = 0;
        for (float p = first; p >= pmin; p -= pinc, ++count)
            if (count % step == 0)
                plot.drawFormText(Point(view.xmin - LABEL_GAP, getY(p)), "%.0f", p);
    }
    plot.drawText(Point(view.xmin - LABEL_GAP, view.ymin - TEXT_HEIGHT), "mb");

    PlotAttr text(Hyx::getResrc("color_text"), plot.getForeground());
    text.setHeight(TEXT_HEIGHT);
    plot.setTextHeight(TEXT_HEIGHT);
    plot.setText(text);
    plot.setTextAlign(2, 2);
    for (int i = 0; i < columns; ++i) {
        const char* label = labels.getString(i);
        if (label) plot.drawText(Point(getX(dist[i]) + LABEL_GAP, view.ymin - LABEL_GAP), label);
    }

    plot.setLine(text);
    plot.drawRect(view);
    plot.activateTran(tran);
    return 1;
}

} // namespace HYX
