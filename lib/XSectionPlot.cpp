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
// The distance axis: its numbers this far below the frame, its ticks this long.
constexpr float KM_AXIS_GAP = 0.035f;
constexpr float KM_TICK = 0.006f;
constexpr int KM_TICKS = 8;

} // namespace

const std::array<float, 11> XSectionPlot::MANDATORY = {1000, 925, 850, 700, 500, 400,
                                                       300,  250, 200, 150, 100};

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

std::vector<float> XSectionPlot::pressureLines() const {
    std::vector<float> out;
    if (pmin == Const::FMISS || pmax == Const::FMISS) return out;
    if (style.mandatory) {
        for (float p : MANDATORY)
            if (p >= pmin && p <= pmax) out.push_back(p);
        return out;
    }
    if (pinc <= 0) return out;
    for (float p = std::floor(pmax / pinc) * pinc; p >= pmin; p -= pinc) out.push_back(p);
    return out;
}

std::vector<float> XSectionPlot::pressureLabels() const {
    std::vector<float> lines = pressureLines();
    if (style.mandatory || lines.empty()) return lines;
    std::vector<float> out;
    const int step = static_cast<int>((pmax - pmin) / pinc / 15 + 1);
    for (size_t i = 0; i < lines.size(); i += step) out.push_back(lines[i]);
    return out;
}

Point XSectionPlot::toPage(const Plot& plot, int tran, float x, float y) const {
    Point p(x, y);
    if (!style.tidy) return p;
    Point out;
    plot.tranWindow(tran, p, 0, out);
    return out;
}

namespace {

// The first of 1, 2 and 5 times a power of ten that divides length into at most n steps.
float niceStep(float length, int n) {
    const float p = std::pow(10.0f, std::floor(std::log10(length / n)));
    for (float m : {1.0f, 2.0f, 5.0f})
        if (m * p * n >= length) return m * p;
    return 10 * p;
}

bool within(float v, float lo, float hi) { return v >= lo - 1e-4f && v <= hi + 1e-4f; }

} // namespace

// Tick marks at round distances along the bottom edge, numbered under the station names.
void XSectionPlot::drawKmAxis(Plot& plot, int tran, const Rect& page) const {
    const int columns = getNumColumns();
    if (columns < 2 || dist[columns - 1] <= 0) return;
    const float length = dist[columns - 1];
    const float step = niceStep(length, KM_TICKS);
    const float y = page.ymin - KM_AXIS_GAP;
    plot.setTextAlign(2, 2);
    for (float d = 0; d <= length * 1.0001f; d += step) {
        const Point at = toPage(plot, tran, getX(d), view.ymin);
        if (!within(at.x, page.xmin, page.xmax)) continue;
        plot.drawLine(Point(at.x, page.ymin), Point(at.x, page.ymin - KM_TICK));
        plot.drawFormText(Point(at.x, y), "%.0f", d);
    }
    plot.setTextAlign(3, 2);
    plot.drawText(Point(page.xmin - LABEL_GAP, y), "km");
}

int XSectionPlot::draw(Plot& plot) {
    const int columns = getNumColumns();
    PlotAttr grid(Hyx::getResrc("color_grid"), "red");
    plot.setLine(grid);

    for (int i = 0; i < columns; ++i) {
        const float x = getX(dist[i]);
        plot.drawLine(Point(x, view.ymin), Point(x, view.ymax));
    }
    for (float p : pressureLines())
        plot.drawLine(Point(view.xmin, getY(p)), Point(view.xmax, getY(p)));

    const int tran = plot.getTran();
    // The frame's place on the page: the viewport in force, or (classic) the view itself.
    Rect page = view;
    if (style.tidy) plot.getViewport(page);
    plot.activateTran(0);

    // Text starts from the default attributes, so the first picture and every redraw match.
    plot.setText();
    plot.setTextHeight(TEXT_HEIGHT);
    PlotAttr grid_text(Hyx::getResrc("color_grid"), "red");
    grid_text.setHeight(TEXT_HEIGHT);
    plot.setText(grid_text);
    plot.setTextAlign(3, 3);
    for (float p : pressureLabels()) {
        const Point at = toPage(plot, tran, view.xmin, getY(p));
        if (style.tidy && !within(at.y, page.ymin, page.ymax)) continue;
        plot.drawFormText(Point(page.xmin - LABEL_GAP, at.y), "%.0f", p);
    }
    if (style.tidy) {
        // Above the axis, clear of the labels of its lowest and its top line.
        plot.setTextAlign(3, 4);
        plot.drawText(Point(page.xmin - LABEL_GAP, page.ymax + TEXT_HEIGHT), "mb");
    } else {
        plot.drawText(Point(view.xmin - LABEL_GAP, view.ymin - TEXT_HEIGHT), "mb");
    }

    PlotAttr text(Hyx::getResrc("color_text"), plot.getForeground());
    text.setHeight(TEXT_HEIGHT);
    plot.setTextHeight(TEXT_HEIGHT);
    plot.setText(text);
    plot.setTextAlign(2, 2);
    for (int i = 0; i < columns; ++i) {
        const char* label = labels.getString(i);
        const Point at = toPage(plot, tran, getX(dist[i]), view.ymin);
        if (!label || (style.tidy && !within(at.x, page.xmin, page.xmax))) continue;
        plot.drawText(Point(at.x + LABEL_GAP, page.ymin - LABEL_GAP), label);
    }

    plot.setLine(text);
    if (style.km) drawKmAxis(plot, tran, page);
    plot.drawRect(page);
    plot.activateTran(tran);
    return 1;
}

} // namespace HYX
