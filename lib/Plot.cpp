// The plot: device choice and opening, colour table, panels, attributes by colour name,
// line drawing across missing points and the date line, images, labels queue, drawing
// switches and the window commands.
#include "HYX/Plot.h"

#include "HYX/ColorFile.h"
#include "HYX/DeviceFactory.h"
#include "HYX/EarthPoints.h"
#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/Image.h"
#include "HYX/ImageFile.h"
#include "HYX/ImageMath.h"
#include "HYX/LineCrop.h"
#include "HYX/LineScan.h"
#include "HYX/PlotAttr.h"
#include "HYX/Points.h"
#include "HYX/Prog.h"
#include "HYX/RGB.h"
#include "HYX/Readout.h"
#include "HYX/StrLib.h"
#include "HYX/Strings.h"

#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

namespace HYX {

namespace {

constexpr float MISS = Const::FMISS;

bool missing(const Point& p) { return LineCrop::isMissing(p); }

// Why a list of colour tables gave no colours: the first of its files that cannot be read.
std::string tableProblem(const char* list) {
    Strings names(list, ',');
    for (int i = 0; i < names.getNum(); ++i) {
        String path(256);
        FileTool::addPath(Hyx::getDatabasePath(), names.getString(i), path);
        const std::string problem = FileTool::inputProblem(path.get());
        if (!problem.empty()) return std::string(path.get()) + " " + problem;
    }
    return std::string(list ? list : "") + " holds no colours";
}

} // namespace

// ---------------------------------------------------------------------------------------
// Lifecycle

Plot::Plot() { init(); }

Plot::Plot(const char* param) {
    init();
    open(param);
}

Plot::~Plot() { close(); }

void Plot::init() {
    labels.clear();
    time_sync = false;
    trans_color[0] = 0;
    color_label.clear();
    date.init();
    fore_hour = MISS;
    source[0] = 0;
    num_panel = 0;
    cur_panel = 0;
    bar = 0;
    color_key.clear();
    draw.setAll(true);
    const char* d = Hyx::getResrc("draw");
    if (d) setDrawing(d);
}

int Plot::setDevice(std::unique_ptr<Device> dev, int kind) {
    preset = std::move(dev);
    preset_kind = kind;
    return preset ? 1 : 0;
}

int Plot::open(const char* param) {
    init();
    Strings items(param, ',');
    auto item = [&items](const char* key) -> const char* {
        for (int i = 0; i < items.getNum(); ++i)
            if (items.valid(i) && LineScan(items.getString(i)).startsWith(key))
                return items.getString(i) + StrLib::length(key);
        return nullptr;
    };

    error = 0;
    const char* out = Hyx::getResrc("output");
    output = out && (LineScan::istartsWith(out, "gif") || LineScan::istartsWith(out, "png") ||
                     LineScan::iendsWith(out, "gif") || LineScan::iendsWith(out, "png"))
                 ? 1
                 : 0;
    if (!chooseDevice(param)) {
        error = Hyx::NOINPUT;
        return 0;
    }

    const char* geo = item("ge=");
    if (!geo) geo = Hyx::getResrc("geometry");
    if (geo) {
        float w, h, x, y;
        const int g = PlotDevice::decodeGeometry(geo, w, h, x, y);
        if (g == 1 || g == 2) graph.setSize(w, h);
        if (g == 2 || g == 3) graph.setOffset(x, y);
    }
    const char* bg = Hyx::getResrc("background");
    if (bg) graph.setBackground(bg);
    if (Hyx::getResrc("icon")) graph.setIcon(true);

    const char* t = Hyx::getResrc("title");
    if (!t) {
        t = Hyx::getResrc("name");
        if (t && *t == '+') ++t;
    }
    if (!t) t = Hyx::getProgramName();
    StrLib::copy(title, sizeof title, t);
    if (title[0]) graph.setTitle(title);

    const char* lg = Hyx::getResrc("logo");
    if (lg) logo.copy(lg);
    const char* dr = Hyx::getResrc("draw");
    if (dr) setDrawing(dr);
    const char* zone = Hyx::getResrc("timezone");
    if (zone) tz.set(zone);
    setParam(Hyx::getResrc("parameter"));
    setParam(param);

    graph.open();
    if (!graph.isOpen()) {
        // A window that cannot be opened has said so; a file that cannot be is an error.
        if (graph.getDeviceType() != Graph::XWINDOW) error = Hyx::NOWRITE;
        return 0;
    }

    colormap.init(COLOR_TABLE_SIZE);
    const char* table = item("ct=");
    if (!table) table = Hyx::getResrc("color_table", DEFAULT_COLOR_TABLE);
    if (!ColorFile::read(table, colormap))
        Hyx::outWarning("Plot::open: unable to read the colour table: %s\n",
                        tableProblem(table).c_str());
    for (int i = 0; i < colormap.getNum(); ++i) allocColor(i);

    graph.addCallback("AnyEvent", this, nullptr);
    initPanel();
    return 1;
}

int Plot::chooseDevice(const char* param) {
    String name, dev_param(256);
    const int kind = PlotDevice::select(param, name, dev_param);
    if (kind == Graph::NO_DEVICE) return 0;
    Hyx::outDebug(2, "Plot::open: device %s (%d) parameters \"%s\"\n", name.get(), kind,
                  dev_param.get());
    if (preset) return graph.setDevice(std::move(preset), preset_kind, dev_param.get());
    if (kind == Graph::XWINDOW && output && !DeviceFactory::hasDisplay()) {
        // No display to open the window on: the output image is drawn offscreen at the
        // window's size.
        const std::string_view out = Hyx::getResrc("output", "");
        const int picture =
            LineScan::istartsWith(out, "gif") ||
                    (LineScan::iendsWith(out, "gif") && !LineScan::istartsWith(out, "png"))
                ? Graph::GIF
                : Graph::PNG;
        Hyx::outDebug(2, "Plot::open: no display, drawing the %s offscreen\n",
                      PlotDevice::getName(picture));
        return graph.setDevice(DeviceFactory::createOffscreen(picture), picture, "");
    }
    return graph.setDevice(name.get(), dev_param.get());
}

int Plot::setParam(const char* str) {
    Strings items(str, ',');
    for (int i = 0; i < items.getNum(); ++i) {
        if (!items.valid(i)) continue;
        const char* s = items.getString(i);
        const LineScan scan(s);
        const std::string fourth(LineScan::from(s, 3));
        std::string_view value;
        LineScan::value(s, value);
        if (scan.startsWith("ti")) {
            StrLib::copy(title, sizeof title, fourth.c_str());
            graph.setTitle(title);
        } else if (scan.startsWith("bg")) {
            graph.setBackground(fourth.c_str());
        } else if (scan.startsWith("ic")) {
            graph.setIcon(true);
        } else if (scan.startsWith("cola")) {
            color_label.copy(std::string(value).c_str());
        } else if (StrLib::iequal(s, "full")) {
            full = 1;
        } else if (StrLib::iequal(s, "full_lab")) {
            full = 2;
        } else if (StrLib::iequal(s, "inv")) {
            graph.setInverse(true);
        } else if (LineScan::istartsWith(s, "bar")) {
            if (StrLib::length(s) > 4) bar_param.copy(s + 4);
        } else if (LineScan::istartsWith(s, "lo")) {
            logo.copy(std::string(value).c_str());
        } else if (LineScan::istartsWith(s, "trans_col")) {
            StrLib::copy(trans_color, sizeof trans_color, std::string(value).c_str());
        } else if (scan.startsWith("tz")) {
            tz.set(fourth.c_str());
        }
    }
    return 1;
}

int Plot::close() {
    closing = false;
    if (graph.close()) return 1;
    error = Hyx::NOWRITE;
    return 0;
}

int Plot::clear() {
    init();
    graph.clear();
    return initPanel();
}

int Plot::update() { return output == 1 ? 0 : graph.update(); }

int Plot::manage() {
    if (output == 1) {
        if (saveOutput()) return 1;
        error = Hyx::NOWRITE;
        return 0;
    }
    const int r = graph.manage();
    // Return in the window closes the picture once its event loop has ended.
    if (closing) close();
    return r;
}

int Plot::addCallback(const char* type, Listener* l, const void* arg) {
    if (graph.isManaged()) return 0;
    return graph.addCallback(type, l, arg);
}

// ---------------------------------------------------------------------------------------
// Panels

const Panel& Plot::getPanel(int i) const { return panels[i >= 0 && i < MAX_PANEL ? i : 0]; }

int Plot::initPanel() {
    Rect ndc = graph.getMaxViewport();
    Panel& p = panels[0];
    p.limits = Rect(0, 0, 1, 1);
    p.view = ndc;
    graph.setTran(0);
    graph.setViewport(0, ndc);
    graph.setWindow(0, ndc);
    graph.activateTran(0);
    num_panel = 1;
    cur_panel = 0;
    return 1;
}

int Plot::setPanel(const Rect& r0, float aspect, int halign, int valign) {
    Panel& p = panels[cur_panel];
    // An empty rectangle stands for the whole of the panel's part of the page.
    const bool empty = r0.xmin == 0 && r0.ymin == 0 && r0.xmax == 0 && r0.ymax == 0;
    Rect r = empty || !r0.valid() ? Rect(0, 0, 1, 1) : r0;
    const Rect ndc = graph.getMaxViewport();
    p.offset = r;
    p.aspect = aspect;
    p.view = ndc;
    if (!p.limits.valid()) p.limits = Rect(0, 0, 1, 1);
    if (!full) {
        const float lw = p.limits.getWidth(), lh = p.limits.getHeight();
        const float nw = ndc.getWidth(), nh = ndc.getHeight();
        p.view.xmin = (r.xmin * lw + p.limits.xmin) * nw;
        p.view.xmax = (r.xmax * lw + p.limits.xmin) * nw;
        p.view.ymin = (r.ymin * lh + p.limits.ymin) * nh;
        p.view.ymax = (r.ymax * lh + p.limits.ymin) * nh;
    }
    graph.setTran(1);
    Rect fit = p.view;
    graph.setViewportAspect(fit, aspect, halign, valign);
    p.view = graph.getViewport();
    Rect win = p.view;
    graph.setWindow(1, win);
    graph.activateTran(1);
    if (!p.domain.isSet() || p.plain) {
        // A plain domain over the viewport, the window just set: laying the panel out
        // again through its domain (redraw, resize, zoom) then maps the page as now.
        DomainVal v;
        v.proj = Domain::XY;
        v.clat = (win.xmin + win.xmax) / 2.0f;
        v.clon = (win.ymin + win.ymax) / 2.0f;
        v.dx = win.getWidth();
        v.dy = win.getHeight();
        v.nx = v.ny = 2;
        p.domain.set(v);
        p.plain = true;
    }
    if (Hyx::isDebug(5)) p.print();
    if (cur_panel >= num_panel) num_panel = cur_panel + 1;
    return 1;
}

int Plot::setPanel() { return setPanel(Rect(0, 0, 0, 0), 0.0f, 2, 2); }

int Plot::setPanel(const Rect& r, const Domain& d) {
    Panel& p = panels[cur_panel];
    if (!d.isSet()) {
        const Rect ndc = graph.getMaxViewport();
        setPanel(r, ndc.getWidth() / ndc.getHeight(), 2, 2);
    } else {
        p.domain = d;
        p.plain = false;
        setPanel(r, d.getAspect(), 2, 2);
    }
    p.domain.setView(p.view);
    Rect lim = p.domain.getLimits();
    graph.setWindow(1, lim);
    graph.activateTran(1);
    return 1;
}

int Plot::setPanel(const Domain& d) {
    Panel& p = panels[cur_panel];
    if (!p.domain.isSet()) return setPanel(Rect(0, PANEL_YMIN, 1, PANEL_YMAX), d);
    graph.setTran(1);
    p.offset = Rect(0, PANEL_YMIN, 1, PANEL_YMAX);
    p.domain = d;
    p.plain = false;
    Rect lim = p.domain.getLimits();
    graph.setWindow(1, lim);
    graph.activateTran(1);
    return 1;
}

int Plot::setPanel(int i) {
    if (i < 0 || i >= MAX_PANEL) return 0;
    cur_panel = i;
    if (i >= num_panel) num_panel = i + 1;
    const Panel& p = panels[i];
    const Rect off = p.offset.valid() ? p.offset : Rect(0, 0, 1, 1);
    if (p.domain.isSet() && !p.plain) {
        const Domain d = p.domain;
        return setPanel(off, d);
    }
    // Laid out as at first, for the page as it is now (the window may have been resized).
    return setPanel(off, p.aspect, 2, 2);
}

int Plot::setPanelDomain(int i, const Domain& d) {
    if (i < 0 || i >= MAX_PANEL) return 0;
    panels[i].domain = d;
    panels[i].plain = false;
    return 1;
}

int Plot::getPanelDomain(int i, Domain& d) const {
    if (i < 0 || i >= MAX_PANEL) return 0;
    d = panels[i].domain;
    return 1;
}

float Plot::getDomVert() const {
    const Rect& l = getDomain().getLimits();
    return l.valid() ? l.getHeight() : 0.0f;
}

bool Plot::withinDomainExt(const Point& p, int ext) const {
    return getDomain().withinExt(p, static_cast<float>(ext));
}

bool Plot::withinDomainExt(const EarthPoint& e, int ext) const {
    Point p;
    return tran(e, p) && withinDomainExt(p, ext);
}

int Plot::whereDomain(const EarthPoint& e) const {
    Point p;
    return tran(e, p) ? whereDomain(p) : -1;
}

int Plot::tranPlotWindow(float x, float y, float& wx, float& wy) const {
    float nx, ny;
    graph.tranPlotView(x, y, nx, ny);
    for (int i = num_panel - 1; i >= 0; --i) {
        if (!panels[i].withinLimits(nx, ny)) continue;
        Point out;
        if (!panels[i].getWindow(Point(nx, ny), out)) continue;
        wx = out.x;
        wy = out.y;
        return 1;
    }
    wx = nx;
    wy = ny;
    return 0;
}

int Plot::getViewDomain(Domain& d) const {
    d = getDomain();
    const Rect clip = graph.getDeviceViewport();
    const int nx = static_cast<int>(std::fabs(clip.getWidth()));
    const int ny = static_cast<int>(std::fabs(clip.getHeight()));
    if (nx < 2 || ny < 2) return 0;
    return d.scaleSize(nx, ny);
}

// ---------------------------------------------------------------------------------------
// Colours and attributes

int Plot::allocColor(int i) {
    if (i < 0 || i >= colormap.getNum()) return 0;
    RGB c;
    colormap.get(i, c);
    const int v = graph.allocColor(c);
    colormap.setValue(i, v);
    return v;
}

int Plot::setColorMap(ColorMap& m) {
    if (m.getNum() < 1) return 0;
    for (int i = 0; i < m.getNum(); ++i) {
        RGB c;
        m.get(i, c);
        const int v = graph.allocColor(c);
        m.setValue(i, v);
        const int k = colormap.add(m.getName(i), c);
        if (k >= 0) colormap.setValue(k, v);
    }
    return 1;
}

// Device value of a table index, allocated on first use. The pattern colour words give
// black, white and grey.
int Plot::deviceColor(int i) {
    if (i >= ColorMap::PATTERN_BASE && i < ColorMap::PATTERN_BASE + 9) {
        static const float grey[3] = {0.0f, 1.0f, 0.5f};
        const float g = grey[(i - ColorMap::PATTERN_BASE) / 3];
        return graph.allocColor(g, g, g);
    }
    if (colormap.getNum() < 1) return graph.allocColor(1, 1, 1);
    const int k = i < colormap.getNum() ? i : colormap.getNum() - 1;
    const int v = colormap.getValue(k);
    return v == -1 ? allocColor(k) : v;
}

int Plot::getColorValue(const char* name) {
    const int i = colormap.getInd(name);
    return i < 0 ? -1 : deviceColor(i);
}

int Plot::useColor(int kind, int i) {
    switch (kind) {
    case Device::LINE:
        line_color = i;
        if (i >= 0) graph.setLineColor(deviceColor(i));
        break;
    case Device::FILL:
        fill_color = i;
        if (i >= 0) graph.setFillColor(deviceColor(i));
        break;
    case Device::TEXT:
        text_color = i;
        if (i >= 0) graph.setTextColor(deviceColor(i));
        break;
    default:
        mark_color = i;
        if (i >= 0) graph.setMarkColor(deviceColor(i));
        break;
    }
    return i >= 0 ? 1 : 0;
}

// The colour of an attribute record: its index, else the table index of its name (-1
// when the table lacks it); a record naming no colour keeps the one in force.
int Plot::attrColor(PlotAttr& a, int current) {
    if (!a.validColorInd()) {
        if (!a.getColor()[0]) return current;
        a.setColorInd(colormap.getInd(a.getColor()));
    }
    return a.getColorInd();
}

int Plot::setLine() {
    setLineColor(getForeground());
    graph.setLineStyle(1);
    graph.setLineWidth(0);
    graph.setDropShadow(0);
    return 1;
}

int Plot::setLine(PlotAttr& a) {
    setLineColor(attrColor(a, line_color));
    if (a.validStyle()) graph.setLineStyle(a.getStyle());
    if (a.validWidth()) graph.setLineWidth(a.getWidth());
    graph.setDropShadow(a.validShadow() ? a.getShadow() : 0);
    return 1;
}

int Plot::setLine(const char* attr) {
    PlotAttr a(attr);
    return setLine(a);
}

int Plot::setFill() {
    setFillColor(getForeground());
    graph.setFillStyle(0);
    return 1;
}

int Plot::setFill(PlotAttr& a) {
    setFillColor(attrColor(a, fill_color));
    if (a.validFillPat()) graph.setFillStyle(a.getFillPat());
    return 1;
}

int Plot::setFill(const char* attr) {
    PlotAttr a(attr);
    return setFill(a);
}

int Plot::setText() {
    graph.setDropShadow(0);
    setTextColor(getForeground());
    graph.setTextHeight(0.01f);
    graph.setTextWidth(0);
    graph.setTextCharWidth(0);
    graph.setTextAlign(0, 0);
    graph.setTextExpansion(1);
    graph.setTextDirection(0, 1);
    graph.setFont("modern.fnt");
    return 1;
}

int Plot::setText(PlotAttr& a) {
    setTextColor(attrColor(a, text_color));
    if (a.validWidth()) graph.setTextWidth(a.getWidth());
    if (a.validHeight()) graph.setTextHeight(a.getHeight());
    if (a.validExpan()) graph.setTextExpansion(a.getExpan());
    if (a.validShadow()) graph.setDropShadow(a.getShadow());
    if (a.validFont()) graph.setFont(a.getFont());
    return 1;
}

int Plot::setText(PlotAttr& a, float scale) {
    setText(a);
    if (a.validHeight()) graph.setTextHeight(a.getHeight() * scale);
    return 1;
}

int Plot::setText(const char* attr) {
    PlotAttr a(attr);
    return setText(a);
}

int Plot::setMarkType(const char* name) { return graph.setMarkType(PlotAttr::parseMarker(name)); }

int Plot::setMark() {
    setMarkColor(getForeground());
    graph.setMarkSize(0.01f);
    graph.setMarkWidth(0);
    return 1;
}

int Plot::setMark(PlotAttr& a) {
    setMarkColor(attrColor(a, mark_color));
    if (a.validWidth()) graph.setMarkWidth(a.getWidth());
    if (a.validHeight()) graph.setMarkSize(a.getHeight());
    if (a.validShadow()) graph.setDropShadow(a.getShadow());
    return 1;
}

int Plot::setMark(PlotAttr& a, float scale) {
    setMark(a);
    if (a.validHeight()) graph.setMarkSize(a.getHeight() * scale);
    return 1;
}

int Plot::setMark(const char* attr) {
    PlotAttr a(attr);
    return setMark(a);
}

int Plot::message(const char* fmt, ...) {
    char buf[1024];
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    return graph.message("%s", buf);
}

// ---------------------------------------------------------------------------------------
// Lines, fills, text and marks

// Draws each run of valid points between missing ones as one polyline.
int Plot::drawRuns(const Points& pts) {
    Points run(pts.getNum() > 0 ? pts.getNum() : 1);
    int drawn = 0;
    for (int i = 0; i <= pts.getNum(); ++i) {
        const bool end = i == pts.getNum() || missing(pts.get(i));
        if (!end) {
            run.add(pts.get(i));
            continue;
        }
        if (run.getNum() >= 2) drawn += graph.drawLine(run);
        run.clear();
    }
    return drawn > 0 ? 1 : 0;
}

int Plot::drawLinePoints(const Points& pts) {
    const Domain& d = getDomain();
    const bool longitudes = d.proj == Domain::LATLON || d.proj == Domain::MERC;
    const int wrap = d.wrapLine(pts);
    Points p(pts);
    if (longitudes) cropLine(p);
    int r = drawRuns(p);
    if (wrap) {
        Points q(pts);
        d.offsetLine(q, wrap);
        if (longitudes) cropLine(q);
        r |= drawRuns(q);
    }
    return r;
}

int Plot::drawLine(const Points& pts) {
    if (line_color < 0) return 0;
    if (graph.getTran() == 1) return drawLinePoints(pts);
    return drawRuns(pts);
}

int Plot::drawLine(float x1, float y1, float x2, float y2) {
    if (line_color < 0) return 0;
    Point a(x1, y1), b(x2, y2);
    if (missing(a) || missing(b)) return 0;
    if (graph.getTran() != 1) return graph.drawLine(a, b);
    const Domain& d = getDomain();
    const int wrap = d.wrapLine(a, b);
    Point ca = a, cb = b;
    cropLine(ca, cb);
    int r = graph.drawLine(ca, cb);
    if (wrap) {
        d.offsetLine(a, b, wrap);
        cropLine(a, b);
        r |= graph.drawLine(a, b);
    }
    return r;
}

int Plot::drawLine(const EarthPoint& e1, const EarthPoint& e2) {
    Point a, b;
    if (!tran(e1, a) || !tran(e2, b)) return 0;
    return drawLine(a, b);
}

int Plot::drawLine(const GridPoint& g1, const GridPoint& g2) {
    Point a, b;
    if (!tran(g1, a) || !tran(g2, b)) return 0;
    return drawLine(a, b);
}

int Plot::drawLine(const EarthPoints& e) {
    Points pts(e.getNum() > 0 ? e.getNum() : 1);
    for (int i = 0; i < e.getNum(); ++i) {
        Point p;
        if (!tran(e.get(i), p)) p.set(MISS, MISS);
        pts.add(p);
    }
    return drawLine(pts);
}

int Plot::drawRect(const Rect& r) {
    if (line_color < 0) return 0;
    Rect c = r;
    return graph.drawRect(c);
}

int Plot::drawCircle(const Point& p, float r) {
    if (line_color < 0) return 0;
    Point c = p;
    return graph.drawCircle(c, r);
}

int Plot::drawCircle(const EarthPoint& e, float r) {
    Point p;
    return tran(e, p) ? drawCircle(p, r) : 0;
}

int Plot::drawFill(const Points& pts) {
    if (fill_color < 0) return 0;
    Points p(pts);
    int r = graph.drawFill(p);
    if (graph.getTran() == 1) {
        const Domain& d = getDomain();
        const int wrap = d.wrapLine(pts);
        if (wrap && d.offsetLine(p, wrap)) r |= graph.drawFill(p);
    }
    return r;
}

int Plot::drawFill(const EarthPoints& e) {
    Points pts(e.getNum() > 0 ? e.getNum() : 1);
    for (int i = 0; i < e.getNum(); ++i) {
        Point p;
        if (tran(e.get(i), p)) pts.add(p);
    }
    return drawFill(pts);
}

int Plot::drawFill(const Rect& r) {
    if (fill_color < 0) return 0;
    Rect c = r;
    return graph.drawFill(c);
}

int Plot::drawText(float x, float y, const char* str) {
    if (text_color < 0) return 0;
    return graph.drawText(x, y, str);
}

int Plot::drawText(const EarthPoint& e, const char* str) {
    Point p;
    return tran(e, p) ? drawText(p, str) : 0;
}

int Plot::drawText(const GridPoint& g, const char* str) {
    Point p;
    return tran(g, p) ? drawText(p, str) : 0;
}

int Plot::drawFormText(const Point& p, const char* fmt, ...) {
    if (text_color < 0) return 0;
    char buf[1024];
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    return drawText(p, buf);
}

int Plot::drawFormText(const EarthPoint& e, const char* fmt, ...) {
    Point p;
    if (text_color < 0 || !tran(e, p)) return 0;
    char buf[1024];
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    return drawText(p, buf);
}

int Plot::drawMark(float x, float y) {
    if (mark_color < 0) return 0;
    return graph.drawMark(x, y);
}

int Plot::drawMark(const EarthPoint& e) {
    Point p;
    return tran(e, p) ? drawMark(p) : 0;
}

int Plot::drawMark(const GridPoint& g) {
    Point p;
    return tran(g, p) ? drawMark(p) : 0;
}

int Plot::drawBorder() {
    if (!draw.isOn(DRAW_BORD)) return 0;
    const char* col = Hyx::getResrc("color_text", getForeground());
    setLine();
    setLine(col);
    const int t = graph.getTran();
    const Rect vp = graph.getViewport();
    graph.activateTran(0);
    const int r = drawRect(vp);
    graph.activateTran(t);
    return r;
}

// ---------------------------------------------------------------------------------------
// Images

int Plot::drawImage(Image& img) { return drawImage(img, -1); }

int Plot::drawImage(Image& img, int color) {
    const Rect w = graph.getWindow();
    const Domain& view = getDomain();
    const Domain& own = img.getDomain();
    // A picture placed on the earth is resampled onto the plot's map first.
    if (img.hasDomain() && view.isSet() && !DomainVal::compare(own, view) &&
        ((own.isMap() && view.isMap()) || own.proj == view.proj)) {
        Domain vd;
        Image remapped;
        if (getViewDomain(vd) && ImageMath::remap(img, vd, remapped))
            return color >= 0 ? graph.drawImage(remapped, color, w.xmin, w.ymax)
                              : graph.drawImage(remapped, w.xmin, w.ymax);
    }
    return color >= 0 ? graph.drawImage(img, color, w.xmin, w.ymax)
                      : graph.drawImage(img, w.xmin, w.ymax);
}

int Plot::drawImage(const char* file, float x, float y) {
    Image img;
    if (!ImageFile().read(file, img)) return 0;
    return graph.drawImage(img, x, y);
}

int Plot::drawImage(const char* file, float x, float y, const char* align) {
    static const char* const CODES[] = {"ul", "uc", "ur", "cl", "cc", "cr", "ll", "lc", "lr"};
    static const int H[] = {1, 2, 3, 1, 2, 3, 1, 2, 3};
    static const int V[] = {3, 3, 3, 2, 2, 2, 1, 1, 1};
    for (int k = 0; k < 9; ++k)
        if (StrLib::iequal(align, CODES[k])) graph.setImageAlign(H[k], V[k]);
    return drawImage(file, x, y);
}

int Plot::getImage(Image& img) {
    const int r = graph.getImage(img);
    if (r && full && img.validData() && getDomain().isSet()) {
        Domain d = getDomain();
        if (d.scaleSize(img.getWidth(), img.getHeight())) img.setDomain(d);
    }
    return r;
}

int Plot::saveImage(const char* file, const char* type) {
    if (!StrLib::valid(file)) return 0;
    const bool png = StrLib::iequal(type, "PNG");
    Image img;
    graph.getImage(img);
    if (!img.validData()) {
        Hyx::outWarning("Plot::saveImage: the device has no picture to save in %s\n", file);
        return 0;
    }
    if (trans_color[0]) {
        const int v = getColorValue(trans_color);
        if (v >= 0) img.setTransColor(v);
    }
    if (full && getDomain().isSet()) {
        Domain d = getDomain();
        if (d.scaleSize(img.getWidth(), img.getHeight())) img.setDomain(d);
    }
    if (!img.getInfo()[0]) img.setInfo(title);
    String path(512);
    FileTool::addOutPath(Hyx::getResrc("image_path"), file, path);
    ImageFile f;
    if (!f.open(path.get(), ImageFile::WRITE, png ? ImageFile::PNG : ImageFile::GIF)) {
        Hyx::outWarning("Plot::saveImage: unable to create %s\n", path.get());
        return 0;
    }
    if (png && title[0]) f.getPng().setTitle(title);
    int ok = f.write(img);
    if (!f.close()) ok = 0;
    if (!ok) {
        Hyx::outWarning("Plot::saveImage: unable to write %s\n", path.get());
        return 0;
    }
    Hyx::outMessage(Hyx::MESS, png ? "Created PNG file: %s\n" : "Created GIF file: %s\n",
                    path.get());
    return 1;
}

int Plot::saveImage(const char* file) {
    if (!file) return 0;
    if (LineScan::iendsWith(file, "gif")) return saveImage(file, "GIF");
    if (LineScan::iendsWith(file, "png")) return saveImage(file, "PNG");
    return 0;
}

// The name the window commands save under: the title's first five characters (or
// "output"), the frame number when there are several, blanks made underscores.
static std::string saveName(const char* title, int frame, const char* ext) {
    char name[64];
    const bool titled = title && title[0];
    if (frame < 0)
        std::snprintf(name, sizeof name, titled ? "%.5s.%s" : "%s.%s", titled ? title : "output",
                      ext);
    else
        std::snprintf(name, sizeof name, titled ? "%.5s-%2.2d.%s" : "%s-%2.2d.%s",
                      titled ? title : "output", frame, ext);
    for (char* p = name; *p; ++p)
        if (*p == ' ') *p = '_';
    return name;
}

int Plot::saveFrames(const char* ext, const char* type) {
    const int n = graph.getNumFrames();
    if (n < 2) return saveImage(saveName(title, -1, ext).c_str(), type);
    if (!graph.isLooping()) return saveImage(saveName(title, graph.getFrame(), ext).c_str(), type);
    const int current = graph.getFrame();
    int saved = 0;
    for (int f = 0; f < n; ++f) {
        graph.setFrame(f);
        saved += saveImage(saveName(title, f, ext).c_str(), type);
    }
    graph.setFrame(current);
    return saved == n ? 1 : 0;
}

// The picture asked for by the "output" resource: "gif:name", a name ending in "gif",
// and the same for "png"; "gif" or "png" alone gives the window command's name.
int Plot::saveOutput() {
    const char* out = Hyx::getResrc("output");
    if (!out) return 0;
    for (const char* ext : {"gif", "png"}) {
        const char* type = ext[0] == 'g' ? "GIF" : "PNG";
        if (LineScan::istartsWith(out, ext)) {
            const char* name = StrLib::length(out) > 4 ? out + 4 : "";
            return saveImage(name[0] ? name : saveName(title, -1, ext).c_str(), type);
        }
        if (LineScan::iendsWith(out, ext)) return saveImage(out, type);
    }
    return 0;
}

// ---------------------------------------------------------------------------------------
// Frames, switches and labels

int Plot::newFrame() {
    graph.newFrame();
    labels.clear();
    if (num_panel > 1) initPanel();
    return 1;
}

int Plot::clearFrame() {
    graph.clear();
    labels.clear();
    return 1;
}

int Plot::clearLabels() {
    const int t = graph.getTran();
    const Rect vp = graph.getViewport();
    const Rect page = graph.getMaxViewport();
    graph.activateTran(0);
    Rect above(page.xmin, vp.ymax, page.xmax, page.ymax);
    Rect below(page.xmin, page.ymin, page.xmax, vp.ymin);
    graph.clearRect(above);
    graph.clearRect(below);
    graph.activateTran(t);
    labels.clear();
    Hyx::outDebug(5, "Plot labels cleared\n");
    return 1;
}

int Plot::deleteAllFrames() {
    const int n = graph.getNumFrames();
    for (int k = 0; k < n; ++k) graph.deleteFrame(0);
    return n;
}

int Plot::setDataSource(const char* name) {
    StrLib::copy(source, sizeof source, name);
    return 1;
}

// ---------------------------------------------------------------------------------------
// Window commands

int Plot::queryPosition(const char* pos) {
    float px, py;
    if (!pos || std::sscanf(pos, "%f:%f", &px, &py) != 2) return 0;
    float wx, wy;
    tranPlotWindow(px, py, wx, wy);
    const Domain& d = getDomain();
    const Point p(wx, wy);
    EarthPoint e;
    GridPoint g;
    d.tran(p, e);
    d.tran(p, g);
    const int proj = d.proj;
    char line[200];
    if (proj >= Domain::SKEWT && proj <= Domain::RTEPH) {
        std::snprintf(line, sizeof line, "Temp: %.4f Pres: %.4f XY: %.3f %.3f Pixel: %.0f %.0f\n",
                      e.lat, e.lon, wx, wy, px, py);
    } else {
        const char* form = "Lat: %.4f Lon: %.4f";
        if (proj == Domain::POLAR)
            form = "A: %.4f R: %.4f";
        else if (proj == Domain::XLOGP)
            form = "X: %.4f P: %.4f";
        else if (!d.isSet() || (proj >= Domain::PIXEL && proj <= Domain::CAT))
            form = "X: %.4f Y: %.4f";
        const int n = std::snprintf(line, sizeof line, form, e.lat, e.lon);
        std::snprintf(line + n, sizeof line - n, " XY: %.3f %.3f Grid: %.2f %.2f Pixel: %.0f %.0f\n",
                      wx, wy, g.gx, g.gy, px, py);
    }
    if (readout) {
        Hyx::outMessage("%s", readout->describe(wx, wy).c_str());
        Hyx::outDebug(1, "%s", line);
    } else {
        Hyx::outMessage("%s", line);
    }
    char loc[64];
    std::snprintf(loc, sizeof loc, "%f,%f", e.lat, e.lon);
    graph.doCallback("QueryLoc", loc);
    return 1;
}

void Plot::callback(const char* type, const char* data, const void*) {
    if (!StrLib::equal(type, "KeyPress") || !data) return;
    if (StrLib::equal(data, "Ret", 3)) {
        const bool in_loop = graph.isManaged();
        graph.bell();
        graph.unmanage();
        // Inside the event loop the device is still running its own code: it is closed
        // when the loop has returned (manage), otherwise at once.
        if (in_loop)
            closing = true;
        else
            close();
    } else if (StrLib::equal(data, "v-Alt", 5)) {
        queryPosition(StrLib::length(data) > 6 ? data + 6 : nullptr);
    } else if (StrLib::equal(data, "s-Alt", 5)) {
        saveFrames("gif", "GIF");
    } else if (StrLib::equal(data, "S-Alt", 5)) {
        if (graph.getNumFrames() <= 1) saveImage(saveName(title, -1, "png").c_str(), "PNG");
    }
}

} // namespace HYX
