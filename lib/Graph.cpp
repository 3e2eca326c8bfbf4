// The drawing context: device ownership, transformations, attributes, lines, fills, marks,
// stroke and device text, fonts and symbols.
#include "HYX/Graph.h"

#include "HYX/DeviceFactory.h"
#include "HYX/File.h"
#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/Image.h"
#include "HYX/RGB.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"
#include "HYX/Strings.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace HYX {

Graph::Graph() { initClass(); }

Graph::Graph(const char* dev, const char* param) {
    initClass();
    setDevice(dev, param);
}

Graph::~Graph() { close(); }

void Graph::initClass() {
    opened = false;
    device = NO_DEVICE;
    hfont = 0;
    fixed = true;
    for (GTran& t : tran) t.set(Rect(0, 0, 1, 1));
    init();
}

void Graph::init() {
    ctran = 0;
    font_type = STROKE_FONT;
    StrLib::copy(font_name, sizeof font_name, "modern.fnt");
    font_spec[0] = 0;
    StrLib::copy(symb_file, sizeof symb_file, "wx.smb");
    pts.clear();
    managed = false;
    line_color = 1;
    line_width = -1.0f;
    line_style = 1;
    fill_color = 1;
    fill_style = 0;
    text_color = 1;
    text_width = 1.0f;
    text_height = 0.01f;
    text_expan = 1.0f;
    text_char_space = 0.25f;
    text_char_width = 0.0f;
    text_halign = 0;
    text_valign = 0;
    text_upx = 0.0f;
    text_upy = 1.0f;
    text_box_color = 0;
    text_box = false;
    drop_color = 1;
    drop_shadow = 0;
    drop_width = 0;
    mark_type = MARK_POINT;
    mark_size = 0.01f;
    mark_width = 1.0f;
    mark_color = 1;
}

int Graph::getDeviceKind(const char* name) {
    if (StrLib::equal(name, "postscript")) return POSTSCRIPT;
    if (StrLib::equal(name, "hpgl")) return HPGL;
    if (StrLib::equal(name, "meta")) return META;
    static const char* const PICTURES[] = {"png", "gif", "pdf", "svg", "eps"};
    for (int k = PNG; k <= EPS; ++k)
        if (StrLib::equal(name, PICTURES[k - PNG])) return k;
    return XWINDOW;
}

int Graph::setDevice(const char* dev, const char* param) {
    const int kind = getDeviceKind(dev);
    return setDevice(DeviceFactory::create(kind), kind, param);
}

int Graph::setDevice(std::unique_ptr<Device> dev, int kind, const char* param) {
    close();
    window = std::move(dev);
    device = kind;
    hfont = 0;
    Strings items(param, ',');
    for (int i = 0; i < items.getNum(); ++i)
        if (items.equal(i, "hfont")) hfont = 1;
    if (!window) return 0;
    return window->setParam(param ? param : "") ? 1 : 0;
}

int Graph::open() {
    init();
    if (!window) {
        device = XWINDOW;
        window = DeviceFactory::create(device);
    }
    window->setFixed(fixed);
    if (window->open() <= 0) return 0;
    opened = true;
    const Rect plt = window->getCoords();
    for (GTran& t : tran) t.set(plt);
    readFont(font_name);
    String path(256);
    FileTool::addPath(Hyx::getDatabasePath(), symb_file, path);
    symbol.read(path.get());
    window->addCallback("AnyEvent", this, nullptr);
    Hyx::addExitHandler(closeAtExit, this);
    return 1;
}

int Graph::open(const char* dev, const char* param) {
    setDevice(dev, param);
    return open();
}

void Graph::closeAtExit(void* self) { static_cast<Graph*>(self)->close(); }

int Graph::close() {
    Hyx::removeExitHandler(this);
    const int ok = opened && window ? window->close() : 1;
    window.reset();
    opened = false;
    managed = false;
    return ok;
}

int Graph::discard() {
    if (opened && window) window->discard();
    opened = false;
    return close();
}

int Graph::update() { return window ? window->update() : 0; }

int Graph::manage() {
    if (!window) return 0;
    window->update();
    managed = true;
    const int r = window->manage();
    managed = false;
    return r;
}

int Graph::unmanage() {
    managed = false;
    return window ? window->unmanage() : 0;
}

void Graph::callback(const char* type, const char*, const void*) {
    if (!StrLib::equal(type, "Redraw") || !window) return;
    const Rect plt = window->getCoords();
    for (GTran& t : tran) t.resize(plt);
    activateTran(ctran);
}

// ---- Transformations ----

int Graph::setTran(int t) {
    if (!validTran(t)) return 0;
    ctran = t;
    return 1;
}

int Graph::activateTran() { return activateTran(ctran); }

int Graph::activateTran(int t) {
    if (!validTran(t)) return 0;
    ctran = t;
    if (!window) return 0;
    window->setClip(tran[t].getClipRect());
    return 1;
}

const GTran& Graph::getGTran(int t) const { return validTran(t) ? tran[t] : tran[ctran]; }

int Graph::setViewport(int t, Rect& r) {
    if (!validTran(t)) return 0;
    return tran[t].setViewport(r);
}

int Graph::getViewport(Rect& r) const {
    r = getViewport();
    return 1;
}

int Graph::setWindow(int t, Rect& r) {
    if (!validTran(t)) return 0;
    return tran[t].setWindow(r);
}

int Graph::getWindow(Rect& r) const {
    r = getWindow();
    return 1;
}

int Graph::setViewportAspect(Rect& r, float aspect, int halign, int valign) {
    const Coords& n = cur().getNdcCoords();
    float xmin = r.xmin < 0 ? n.xmin - r.xmin : r.xmin;
    float xmax = r.xmax < 0 ? n.xmax + r.xmax : r.xmax;
    float ymin = r.ymin < 0 ? n.ymin - r.ymin : r.ymin;
    float ymax = r.ymax < 0 ? n.ymax + r.ymax : r.ymax;
    const float w = xmax - xmin;
    const float h = ymax - ymin;
    if (w <= 0 || h <= 0) return 0;
    if (aspect <= 0) aspect = w / h;
    float nw, nh;
    if (aspect / w * h >= 1) {
        nw = w;
        nh = w / aspect;
    } else {
        nw = h * aspect;
        nh = h;
    }
    if (halign == 1) {
        xmax = xmin + nw;
    } else if (halign == 3) {
        xmin = xmax - nw;
    } else {
        xmin += (w - nw) / 2;
        xmax -= (w - nw) / 2;
    }
    if (valign == 1) {
        ymax = ymin + nh;
    } else if (valign == 3) {
        ymin = ymax - nh;
    } else {
        ymin += (h - nh) / 2;
        ymax -= (h - nh) / 2;
    }
    Rect v;
    v.xmin = xmin;
    v.ymin = ymin;
    v.xmax = xmax;
    v.ymax = ymax;
    if (Hyx::checkMessage(Hyx::DEBUG4)) v.print();
    return tran[ctran].setViewport(v);
}

int Graph::getMaxViewport(Rect& r) const {
    r = getMaxViewport();
    return 1;
}

int Graph::getDeviceViewport(Rect& r) const {
    if (!window) {
        r = Rect(0, 0, 0, 0);
        return 0;
    }
    r = window->getClip();
    return 1;
}

Rect Graph::getDeviceViewport() const {
    Rect r;
    getDeviceViewport(r);
    return r;
}

int Graph::tranPlotView(float x, float y, float& nx, float& ny) const {
    cur().tranPlotView(x, y, nx, ny);
    return 1;
}

int Graph::tranPlotWindow(float x, float y, float& wx, float& wy) const {
    cur().tranPlotWindow(x, y, wx, wy);
    return 1;
}

int Graph::tranPlotWindow(Point& in, Point& out) const {
    float wx, wy;
    cur().tranPlotWindow(in.x, in.y, wx, wy);
    out.set(wx, wy);
    return 1;
}

int Graph::tranWindowPlot(float x, float y, float& px, float& py) const {
    cur().tran(x, y, px, py);
    return 1;
}

int Graph::tranWindow(int t1, float x, float y, int t2, float& x2, float& y2) const {
    if (!validTran(t1) || !validTran(t2)) return 0;
    float px, py;
    tran[t1].tran(x, y, px, py);
    tran[t2].tranPlotWindow(px, py, x2, y2);
    return 1;
}

int Graph::tranWindow(int t1, Point& in, int t2, Point& out) const {
    float x2, y2;
    if (!tranWindow(t1, in.x, in.y, t2, x2, y2)) return 0;
    out.set(x2, y2);
    return 1;
}

void Graph::printTran() const {
    std::printf("Current: %d\n", ctran);
    for (int i = 0; i < NUM_TRAN; ++i) {
        std::printf("%d: ", i);
        tran[i].print();
    }
}

// ---- Attributes: what reaches the device is mirrored here, unchanged values are skipped ----

int Graph::setLineColor(int c) { return mirror(line_color, c, &Device::setColor, Device::LINE); }
int Graph::setLineStyle(int s) {
    return mirror(line_style, s, &Device::setLineStyle, Device::LINE);
}
int Graph::setLineWidth(float w) {
    return mirror(line_width, w, &Device::setLineWidth, Device::LINE);
}
int Graph::setFillColor(int c) { return mirror(fill_color, c, &Device::setColor, Device::FILL); }
int Graph::setFillStyle(int s) {
    return mirror(fill_style, s, &Device::setFillStyle, Device::FILL);
}
int Graph::setTextColor(int c) { return mirror(text_color, c, &Device::setColor, Device::TEXT); }
int Graph::setTextWidth(float w) {
    return mirror(text_width, w, &Device::setLineWidth, Device::TEXT);
}
int Graph::setMarkColor(int c) { return mirror(mark_color, c, &Device::setColor, Device::MARK); }
int Graph::setMarkWidth(float w) {
    return mirror(mark_width, w, &Device::setLineWidth, Device::MARK);
}

int Graph::setTextHeight(float h) {
    if (!window || h == text_height) return 0;
    text_height = h;
    if (font_type == SCALED_FONT) setFontSpec();
    return 1;
}

int Graph::setMarkSize(float s) {
    if (!window || s == mark_size) return 0;
    mark_size = s;
    return 1;
}

int Graph::setMarkType(int t) {
    if (!window || t == mark_type) return 0;
    mark_type = t;
    return 1;
}

int Graph::setTextExpansion(float e) { return store(text_expan, e); }
int Graph::setTextSpacing(float s) { return store(text_char_space, s); }
int Graph::setTextCharWidth(float w) { return store(text_char_width, w); }
int Graph::setTextBoxColor(int c) { return store(text_box_color, c); }
int Graph::setTextBox(bool b) { return store(text_box, b); }
int Graph::setDropColor(int c) { return store(drop_color, c); }
int Graph::setDropShadow(int n) { return store(drop_shadow, n); }
int Graph::setDropWidth(int w) { return store(drop_width, w); }

int Graph::setTextAlign(int h, int v) {
    if (!window) return 0;
    text_halign = h;
    text_valign = v;
    return 1;
}

int Graph::setTextDirection(float upx, float upy) {
    const float len = std::sqrt(upx * upx + upy * upy);
    if (!window || !(len > 0)) return 0;
    text_upx = upx / len;
    text_upy = upy / len;
    return 1;
}

// ---- Device pass-throughs ----

int Graph::setFixed(bool f) {
    fixed = f;
    return window ? window->setFixed(f) : 0;
}

int Graph::setSize(float w, float h) { return window ? window->setSize(w, h) : 0; }
int Graph::setOffset(float x, float y) { return window ? window->setOffset(x, y) : 0; }
int Graph::setInverse(bool b) { return window ? window->setInverse(b) : 0; }
bool Graph::getInverse() const { return window ? window->getInverse() : false; }
bool Graph::isLightGround() const { return window ? window->isLightGround() : false; }
int Graph::setBackground(const char* c) { return window ? window->setBackground(c) : 0; }
int Graph::setIcon(bool b) { return window ? window->setIcon(b) : 0; }
int Graph::setTitle(const char* t) { return window ? window->setTitle(t) : 0; }
int Graph::clear() { return window ? window->clear() : 0; }
int Graph::allocColor(float r, float g, float b) {
    return window ? window->allocColor(r, g, b) : 0;
}
int Graph::allocColor(const RGB& c) { return allocColor(c.red, c.grn, c.blu); }
int Graph::setImageAlign(int h, int v) { return window ? window->setImageAlign(h, v) : 0; }
int Graph::getImage(Image& img) { return window ? window->getImage(img) : 0; }
bool Graph::isLooping() const { return window ? window->isLooping() : false; }
int Graph::getFrame() const { return window ? window->getFrame() : 0; }
int Graph::setFrame(int f) { return window ? window->setFrame(f) : 0; }
int Graph::deleteFrame(int f) { return window ? window->deleteFrame(f) : 0; }
int Graph::getNumFrames() const { return window ? window->getNumFrames() : 0; }
int Graph::setCursor(int c) { return window ? window->setCursor(c) : 0; }
int Graph::bell() { return window ? window->bell(0) : 0; }
int Graph::getDevice(String& name) { return window ? window->getDevice(name) : 0; }
int Graph::doCallback(const char* type, const char* data) {
    return window ? window->doCallback(type, data) : 0;
}

int Graph::addCallback(const char* type, Listener* l, const void* arg) {
    if (!window || managed) return 0;
    return window->addCallback(type, l, arg);
}

int Graph::newFrame() {
    if (!window) return 0;
    window->displayFrame(-1);
    window->newFrame(-1);
    window->setFrame(-1);
    return 1;
}

int Graph::message(const char* fmt, ...) {
    if (!window || !fmt) return 0;
    char buf[1024];
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    return window->message(buf);
}

// ---- Lines, fills and marks ----

void Graph::toPlot(const Points& in) {
    pts.clear();
    const int n = in.getNum();
    const float* x = in.getX();
    const float* y = in.getY();
    for (int i = 0; i < n; ++i) pts.add(cur().tranX(x[i]), cur().tranY(y[i]));
}

// One plot unit expressed in window units, in x and in y.
void Graph::plotUnit(float, float, float& dx, float& dy) const {
    const GTran& t = cur();
    const float sx = t.wn_vp.x * t.vp_plt.x;
    const float sy = -t.wn_vp.y * t.vp_plt.y;
    dx = sx != 0 ? 1 / sx : 0;
    dy = sy != 0 ? 1 / sy : 0;
}

int Graph::drawLine(float x1, float y1, float x2, float y2) {
    if (!window) return 0;
    const GTran& t = cur();
    window->drawLine(Device::LINE, t.tranX(x1), t.tranY(y1), t.tranX(x2), t.tranY(y2));
    return 1;
}

int Graph::drawLine(Points& p) {
    if (!window || p.getNum() < 2 || !cur().isPointsInWindow(p)) return 0;
    toPlot(p);
    const int n = drop_shadow;
    if (n > 0) {
        window->setColor(Device::LINE, drop_color);
        window->setLineWidth(Device::LINE, static_cast<float>(drop_width));
        for (int k = 1; k <= n; ++k) {
            pts.offset(1, 1);
            window->drawLine(Device::LINE, pts);
        }
        // A width never set leaves the device at its own default of one unit.
        window->setLineWidth(Device::LINE, line_width >= 0 ? line_width : 1.0f);
        window->setColor(Device::LINE, line_color);
        pts.offset(static_cast<float>(-n), static_cast<float>(-n));
    }
    window->drawLine(Device::LINE, pts);
    return 1;
}

int Graph::drawRect(float x1, float y1, float x2, float y2) {
    if (!window) return 0;
    const GTran& t = cur();
    pts.clear();
    pts.add(t.tranX(x1), t.tranY(y1));
    pts.add(t.tranX(x2), t.tranY(y1));
    pts.add(t.tranX(x2), t.tranY(y2));
    pts.add(t.tranX(x1), t.tranY(y2));
    pts.add(t.tranX(x1), t.tranY(y1));
    window->drawLine(Device::LINE, pts);
    return 1;
}

int Graph::drawCircle(float x, float y, float r) {
    if (!window) return 0;
    const GTran& t = cur();
    pts.clear();
    for (int deg = 0; deg <= 360; deg += 5) {
        const float a = deg * Const::DRC;
        pts.add(t.tranX(x + r * std::sin(a)), t.tranY(y + r * std::cos(a)));
    }
    window->drawLine(Device::LINE, pts);
    return 1;
}

int Graph::drawFill(Points& p) {
    if (!window || p.getNum() < 2 || !cur().isPointsInWindow(p)) return 0;
    toPlot(p);
    window->drawFill(Device::FILL, pts);
    return 1;
}

int Graph::drawFill(Rect& r) {
    if (!window) return 0;
    const GTran& t = cur();
    pts.clear();
    pts.add(t.tranX(r.xmin), t.tranY(r.ymin));
    pts.add(t.tranX(r.xmin), t.tranY(r.ymax));
    pts.add(t.tranX(r.xmax), t.tranY(r.ymax));
    pts.add(t.tranX(r.xmax), t.tranY(r.ymin));
    pts.add(t.tranX(r.xmin), t.tranY(r.ymin));
    window->drawFill(Device::FILL, pts);
    return 1;
}

int Graph::clearRect(Rect& r) {
    if (!window) return 0;
    const GTran& t = cur();
    Rect p(t.tranX(r.xmin), t.tranY(r.ymin), t.tranX(r.xmax), t.tranY(r.ymax));
    return window->clearRect(p);
}

int Graph::drawImage(Image& img, float x, float y) {
    if (!window) return 0;
    return window->drawImage(img, cur().tranX(x), cur().tranY(y));
}

int Graph::drawImage(Image& img, int color, float x, float y) {
    if (!window) return 0;
    return window->drawImage(img, color, cur().tranX(x), cur().tranY(y));
}

int Graph::drawMark(float x, float y) {
    if (!window) return 0;
    const int n = drop_shadow;
    if (n > 0) {
        float dx, dy;
        plotUnit(x, y, dx, dy);
        window->setColor(Device::MARK, drop_color);
        for (int k = 0; k < n; ++k) drawMarkAt(x + k * dx, y + k * dy);
        window->setColor(Device::MARK, mark_color);
    }
    drawMarkAt(x, y);
    return 1;
}

// One stroke of a mark: offsets from the centre in units of the half-size h.
void Graph::markStroke(std::initializer_list<float> xy, float x, float y, float h) {
    const GTran& t = cur();
    pts.clear();
    for (auto it = xy.begin(); it != xy.end() && it + 1 != xy.end(); it += 2)
        pts.add(t.tranX(x + *it * h), t.tranY(y + *(it + 1) * h));
    window->drawLine(Device::MARK, pts);
}

void Graph::drawMarkAt(float x, float y) {
    const float h = mark_size / 2;
    switch (mark_type) {
    case MARK_POINT:
        markStroke({0, 0, 0.2f, 0, 0.2f, 0.2f, 0, 0.2f, 0, 0}, x, y, h);
        break;
    case MARK_PLUS:
        markStroke({-1, 0, 1, 0}, x, y, h);
        markStroke({0, -1, 0, 1}, x, y, h);
        break;
    case MARK_STAR:
        markStroke({-1, 0, 1, 0}, x, y, h);
        markStroke({-1, -1, 1, 1}, x, y, h);
        markStroke({0, -1, 0, 1}, x, y, h);
        markStroke({1, -1, -1, 1}, x, y, h);
        break;
    case MARK_CIRCLE:
        markStroke({1,      0,       0.866f, 0.5f,    0.5f,   0.866f,  0,     1,     -0.5f,
                    0.866f, -0.866f, 0.5f,   -1,      0,      -0.866f, -0.5f, -0.5f, -0.866f,
                    0,      -1,      0.5f,   -0.866f, 0.866f, -0.5f,   1,     0},
                   x, y, h);
        break;
    case MARK_CROSS:
        markStroke({-1, -1, 1, 1}, x, y, h);
        markStroke({1, -1, -1, 1}, x, y, h);
        break;
    case MARK_SQUARE:
        markStroke({-1, 1, 1, 1, 1, -1, -1, -1, -1, 1}, x, y, h);
        break;
    case MARK_TRIANGLE:
        markStroke({-1, -1, 1, -1, 0, 1, -1, -1}, x, y, h);
        break;
    case MARK_DOT:
        markStroke({0, 0, 0.1f, 0.1f}, x, y, h);
        break;
    case MARK_ITRIANGLE:
        markStroke({-1, 1, 1, 1, 0, -1, -1, 1}, x, y, h);
        break;
    case MARK_LIGHTNING:
        markStroke({0, 1, 0.5f, 0, -0.5f, 0, 0, -1}, x, y, h);
        break;
    default:
        break;
    }
}

// ---- Text ----

int Graph::drawText(float x, float y, const char* str) {
    if (!window || !str) return 0;
    const bool stroke = hfont == 0 && font_type == STROKE_FONT;
    if (!stroke) {
        const int h = text_halign == 2 ? 2 : (text_halign == 3 ? 3 : 1);
        const int v = (text_valign == 1 || text_valign == 2) ? 1 : (text_valign == 3 ? 2 : 3);
        window->setTextAlign(h, v);
    }
    char line[MAX_TEXT_LINE + 1];
    const char* p = str;
    for (;;) {
        const char* nl = std::strchr(p, '\n');
        const int len = nl ? static_cast<int>(nl - p) : StrLib::length(p);
        StrLib::copy(line, sizeof line, p, len);
        if (drop_shadow > 0) {
            float dx, dy;
            plotUnit(x, y, dx, dy);
            window->setColor(Device::TEXT, drop_color);
            for (int k = 0; k < drop_shadow; ++k) {
                if (stroke)
                    drawTextLine(x + k * dx, y + k * dy, line);
                else
                    drawDeviceText(x + k * dx, y + k * dy, line);
            }
            window->setColor(Device::TEXT, text_color);
        }
        if (stroke)
            drawTextLine(x, y, line);
        else
            drawDeviceText(x, y, line);
        if (!nl) break;
        p = nl + 1;
        x -= text_upx * LINE_SPACING * text_height;
        y -= text_upy * LINE_SPACING * text_height;
    }
    return 1;
}

int Graph::drawFormText(float x, float y, const char* fmt, ...) {
    if (!window || !fmt) return 0;
    char buf[1024];
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    return drawText(x, y, buf);
}

int Graph::drawFormText(Point p, const char* fmt, ...) {
    if (!window || !fmt) return 0;
    char buf[1024];
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    return drawText(p.x, p.y, buf);
}

void Graph::drawDeviceText(float x, float y, const char* str) {
    Point p(cur().tranX(x), cur().tranY(y));
    window->drawText(p, str);
}

// Width of a line of stroke text in glyph units, expansion included.
float Graph::textLineWidth(const char* str) const {
    const float sp = text_char_space * 100;
    const float cw = text_char_width;
    const int n = StrLib::length(str);
    float w = 0;
    for (int i = 0; i < n; ++i) {
        const int c = static_cast<unsigned char>(str[i]);
        const bool last = i == n - 1;
        if (cw > 0)
            w += last ? cw * 100 : (sp + 100) * cw;
        else
            w += font.getWidth(c) + (last ? 0 : sp);
    }
    return w * text_expan;
}

namespace {

// Vertical offsets of the glyph cell (0 to 160, baseline 35, cap line 140) by alignment.
const float VOFFSET[] = {-35, -160, -140, -85, -35, 0};

} // namespace

Rect Graph::getTextBox(float x, float y, const char* str) const {
    const float s = text_height / 105;
    const float width = textLineWidth(str ? str : "");
    const float xo = text_halign == 2 ? -width / 2 : (text_halign == 3 ? -width : 0);
    const float yo = text_valign >= 0 && text_valign <= 5 ? VOFFSET[text_valign] : VOFFSET[0];
    Rect r;
    // The corners of the box in glyph units, turned like the text.
    for (const float gx : {xo, xo + width})
        for (const float gy : {yo, 140 + yo}) {
            const float wx = x + gx * s * text_upy + gy * s * text_upx;
            const float wy = y - gx * s * text_upx + gy * s * text_upy;
            if (!r.valid()) r.set(wx, wy, wx, wy);
            r.set(std::fmin(r.xmin, wx), std::fmin(r.ymin, wy), std::fmax(r.xmax, wx),
                  std::fmax(r.ymax, wy));
        }
    return r;
}

void Graph::drawTextLine(float x, float y, const char* str) {
    const float* voffset = VOFFSET;
    const float s = text_height / 105;
    const float e = text_expan;
    const float sp = text_char_space * 100;
    const float cw = text_char_width;
    const bool fixedw = cw > 0;
    const float width = textLineWidth(str);
    float xo = text_halign == 2 ? -width / 2 : (text_halign == 3 ? -width : 0);
    const float yo = text_valign >= 0 && text_valign <= 5 ? voffset[text_valign] : voffset[0];
    const GTran& t = cur();
    Point g;
    for (const char* c = str; *c; ++c) {
        const int ch = static_cast<unsigned char>(*c);
        if (font.setChar(ch)) {
            const float w = static_cast<float>(font.getWidth(ch));
            if (fixedw) xo += (cw * 100 - w) * e / 2;
            pts.clear();
            int k;
            while ((k = font.get(g)) != 0) {
                const float fx = (g.x * e + xo) * s;
                const float fy = (g.y + yo) * s;
                const float wx = x + fx * text_upy + fy * text_upx;
                const float wy = y - fx * text_upx + fy * text_upy;
                if (k == 2) {
                    if (pts.getNum() >= 2) window->drawLine(Device::TEXT, pts);
                    pts.clear();
                }
                pts.add(t.tranX(wx), t.tranY(wy));
            }
            if (pts.getNum() >= 2) window->drawLine(Device::TEXT, pts);
            xo += fixedw ? (w + cw * 100) * e / 2 + sp * e : (w + sp) * e;
        } else if (ch == ' ') {
            xo += fixedw ? (sp + 100) * cw * e : (sp + GFont::BLANK_WIDTH) * e;
        }
    }
}

// ---- Fonts ----

int Graph::readFont(const char* file) {
    String path(256);
    if (!FileTool::addPath(Hyx::getDatabasePath(), file, path)) return 0;
    auto next = std::make_unique<GFont>(path.get());
    if (!next->isOpen()) return 0;
    font = *next;
    return 1;
}

// The font-list entry of a font, or 0 when the list does not hold it.
int Graph::lookupFont(const char* name, char* spec, int size) const {
    String path(256);
    if (!FileTool::addPath(Hyx::getDatabasePath(), "hyx.fnl", path)) return 0;
    File in(path.get(), "r");
    if (!in.isOpen()) return 0;
    char line[252];
    bool cont = false; // the rest of an over-long line is skipped
    int n;
    while ((n = in.getLine(line, sizeof line)) > 0) {
        const bool whole = line[n - 1] == '\n';
        const bool skip = cont;
        cont = !whole;
        if (skip) continue;
        char fname[40], fspec[120];
        if (std::sscanf(line, "%39s %119[^\n]", fname, fspec) == 2 && StrLib::equal(fname, name)) {
            StrLib::copy(spec, size, fspec);
            return 1;
        }
    }
    return 0;
}

int Graph::setFont(const char* name) {
    if (!window || !StrLib::valid(name) || StrLib::equal(name, font_name)) return 0;
    char prev_name[sizeof font_name];
    char prev_spec[sizeof font_spec];
    StrLib::copy(prev_name, sizeof prev_name, font_name);
    StrLib::copy(prev_spec, sizeof prev_spec, font_spec);
    auto keep = [&](const char* why) {
        Hyx::outWarning("Graph::setFont: %s: %s\n", why, name);
        StrLib::copy(font_name, sizeof font_name, prev_name);
        StrLib::copy(font_spec, sizeof font_spec, prev_spec);
        return 0;
    };
    StrLib::copy(font_name, sizeof font_name, name);
    if (name[0] == '#') {
        // A device font named directly.
        StrLib::copy(font_spec, sizeof font_spec, name);
    } else if (!lookupFont(name, font_spec, sizeof font_spec)) {
        // Not in the font list: a stroke-font file of that name is still welcome.
        if (!readFont(name)) return keep("unknown font, keeping the font in force");
        StrLib::copy(font_spec, sizeof font_spec, name);
        font_type = STROKE_FONT;
        return 1;
    }
    if (font_spec[0] != '#') {
        if (!readFont(font_spec)) return keep("unable to read stroke font");
        font_type = STROKE_FONT;
        return 1;
    }
    font_type = StrLib::index(font_spec + 1, '{') >= 0 ? SCALED_FONT : DEVICE_FONT;
    setFontSpec();
    return 1;
}

int Graph::setFontSpec() {
    if (!window) return 0;
    char spec[120];
    StrLib::copy(spec, sizeof spec, font_spec[0] == '#' ? font_spec + 1 : font_spec);
    const int b = StrLib::index(spec, '{');
    if (b > 0) {
        const int n = std::atoi(spec + b + 1);
        const Rect w = getWindow();
        const float wh = w.ymax - w.ymin;
        const float size = wh != 0 ? text_height / wh * 36 * n : 0;
        const int e = StrLib::index(spec, '}', b);
        char out[120];
        StrLib::copy(out, sizeof out, spec, b);
        StrLib::aprintf(out, sizeof out, "%.0f", size);
        if (e >= 0) StrLib::append(out, sizeof out, spec + e + 1);
        Hyx::outDebug("Font: %s %.2f %.2f %.2f\n", spec, text_height, wh, size);
        StrLib::copy(spec, sizeof spec, out);
    }
    return window->setFont(spec);
}

// ---- Symbols ----

int Graph::setSymbol(const char* file) {
    if (!window || !StrLib::valid(file) || StrLib::equal(file, symb_file)) return 0;
    String path(256);
    FileTool::addPath(Hyx::getDatabasePath(), file, path);
    if (!symbol.read(path.get())) return 0;
    StrLib::copy(symb_file, sizeof symb_file, file);
    return 1;
}

int Graph::drawSymbol(float x, float y, const char* name, float size) {
    if (!window || !symbol.setSymb(name)) return 0;
    if (text_halign == 3)
        x -= size;
    else if (text_halign == 2)
        x -= size / 2;
    if (text_valign == 1 || text_valign == 2)
        y -= size;
    else if (text_valign == 3)
        y -= size / 2;
    Points part;
    Point p;
    int k;
    while ((k = symbol.get(p)) != 0) {
        if (k == 1) {
            part.add(x + p.x * size, y + p.y * size);
        } else {
            if (k == 2)
                drawLine(part);
            else
                drawFill(part);
            part.clear();
        }
    }
    return 1;
}

} // namespace HYX
