// The X window device: opening and closing its window, attributes and drawing into the
// off-screen picture, images, animation frames and the window's own reactions to events.
#include "HYX/XWindow.h"

#include "HYX/FrameTool.h"
#include "HYX/Hyx.h"
#include "HYX/Image.h"
#include "HYX/Point.h"
#include "HYX/Points.h"
#include "HYX/RGB.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"
#include "HYX/Strings.h"
#include "HYX/Timer.h"
#include "HYX/XDispatch.h"
#include "HYX/XImageTool.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>

#include <cmath>
#include <cstdio>
#include <vector>

namespace HYX {

_XDisplay* XWindow::display = nullptr;
std::array<XWindow*, XWindow::MAX_WINDOW> XWindow::windows{};
int XWindow::num_window = 0;
std::unique_ptr<XWindow::XCallbackItem> XWindow::callbacks;
bool XWindow::managed = false;
int XWindow::error = 0;
int XWindow::error_print = 1;
bool XWindow::io_error = false;

namespace {

// On-off dash lists of line styles 2 to 5, in pixels.
struct DashList {
    char len[4];
    int n;
};
const DashList DASHES[] = {{{6, 6}, 2}, {{3, 6}, 2}, {{6, 6, 3, 6}, 4}, {{2, 2}, 2}};

// Cursor shapes of the standard cursor font, by cursor code.
const unsigned int CURSOR_SHAPES[] = {XC_X_cursor, XC_left_ptr, XC_fleur, XC_exchange, XC_dot,
                                      XC_pencil,   XC_tcross,   XC_xterm, XC_watch};

constexpr long EVENT_MASK = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                            EnterWindowMask | LeaveWindowMask | ButtonMotionMask | ExposureMask |
                            StructureNotifyMask | FocusChangeMask;

// Plot coordinate to pixel: trunc(v + 0.5), kept within the X coordinate range.
short pix(float v) {
    const float t = v + 0.5f;
    if (!(t > -32768.0f)) return -32768;
    if (t > 32767.0f) return 32767;
    return static_cast<short>(t);
}

Visual* vis(void* v) { return static_cast<Visual*>(v); }
XFontStruct* fontOf(void* f) { return static_cast<XFontStruct*>(f); }

} // namespace

// ---- Set-up ----

int XWindow::init() {
    if (opened) close();
    type = fixed = 1;
    inverse = mapped = icon = false;
    width = DEFAULT_WIDTH;
    height = DEFAULT_HEIGHT;
    x = y = 100;
    StrLib::copy(name, sizeof name, "HYX");
    connect[0] = 0;
    StrLib::copy(title, sizeof title, "HYX");
    window_num = cursor = -1;
    show_win_num = 0;
    background[0] = 0;
    clip = ClipRect{};
    line_style = line_width = 1;
    text_halign = text_valign = 2;
    image_halign = direct = 1;
    image_valign = 3;
    max_frame = MAX_FRAME;
    num_frame = cur_frame = looping = 0;
    frames.fill(XFrame{});
    delay = 0.5f;
    end_delay = 1.0f;
    start_frame = end_frame = -1;
    other_window = other_drawable = other_colormap = 0;
    return 1;
}

// Another program's window: "+window:drawable:WxH[:colormap]", "0xdrawable:WxH[:colormap]"
// (hexadecimal) or "drawable:WxH[:colormap]".
int XWindow::parseWindowParam(const char* s) {
    unsigned long win = 0, drw = 0, cmap = 0;
    int w = 0, h = 0;
    if (s[0] == '+') {
        if (std::sscanf(s + 1, "%lu:%lu:%dx%d:%lu", &win, &drw, &w, &h, &cmap) < 4) return 0;
    } else if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        if (std::sscanf(s + 2, "%lx:%dx%d:%lu", &drw, &w, &h, &cmap) < 3) return 0;
    } else {
        if (std::sscanf(s, "%lu:%dx%d:%lu", &drw, &w, &h, &cmap) < 3) return 0;
    }
    if (drw == 0 || w <= 0 || h <= 0) return 0;
    other_window = win ? win : drw;
    other_drawable = drw;
    other_colormap = cmap;
    width = w;
    height = h;
    type = 2;
    return 1;
}

int XWindow::setParam(const char* param) {
    if (!param) return 0;
    Strings items(param, ',');
    for (int i = 0; i < items.getNum(); ++i) {
        const char* it = items.getString(i);
        if (!it || !it[0]) continue;
        if (StrLib::equal(it, "co=", 3)) {
            StrLib::copy(connect, sizeof connect, it + 3);
        } else if (StrLib::equal(it, "wp", 2)) {
            if (StrLib::length(it) > 3) parseWindowParam(it + 3);
        } else if (StrLib::equal(it, "show_num", 8)) {
            show_win_num = 1;
        } else if (StrLib::index(it, '=') >= 0 || StrLib::equal(it, "hfont")) {
            continue; // items for the drawing context or the plot
        } else if (i == 0 && StrLib::index(it, ':') >= 0) {
            // A display name always holds a colon; plot keywords such as "inv" never do.
            StrLib::copy(connect, sizeof connect, it);
        } else if (i == 1) {
            parseWindowParam(it);
        }
    }
    return 1;
}

int XWindow::setTitle(const char* str) {
    StrLib::copy(title, 40, str ? str : "");
    if (opened) showTitle(title);
    return 1;
}

void XWindow::showTitle(const char* str) {
    if (!opened || type != 1) return;
    char t[80];
    StrLib::copy(t, sizeof t, str);
    StrLib::replace(t, '_', ' ');
    XStoreName(display, window, t);
    XSetIconName(display, window, t);
    XFlush(display);
}

int XWindow::setBackground(const char* colour) {
    return StrLib::copy(background, sizeof background, colour ? colour : ""), 1;
}

int XWindow::setSize(float w, float h) {
    if (!(w >= 1) || !(h >= 1) || w > 32767 || h > 32767) return 0;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return 1;
}

int XWindow::setOffset(float px, float py) {
    if (!(std::fabs(px) < 32767) || !(std::fabs(py) < 32767)) return 0;
    x = static_cast<int>(px);
    y = static_cast<int>(py);
    return 1;
}

Rect XWindow::getCoords() {
    return Rect(0, 0, static_cast<float>(width - 1), static_cast<float>(height - 1));
}

int XWindow::getDevice(String& s) {
    s.printf("d,%s,+%lu:%lu:%dx%d\n", connect, window, dwindow, width, height);
    return opened ? 1 : 0;
}

// ---- Opening and closing ----

int XWindow::open() {
    if (opened) return 0;
    if (!XDispatch::connect(connect)) return 0;
    screen = DefaultScreen(display);
    depth = DefaultDepth(display, screen);
    visual = DefaultVisual(display, screen);
    color_map = DefaultColormap(display, screen);
    const unsigned long black = BlackPixel(display, screen);
    const unsigned long white = WhitePixel(display, screen);
    back_color = static_cast<int>(inverse ? white : black);
    fore_color = static_cast<int>(inverse ? black : white);
    int slot = -1;
    for (int i = 0; i < MAX_WINDOW && slot < 0; ++i)
        if (!windows[i]) slot = i;
    const int ok = slot >= 0 && (type == 2 ? openOtherWindow() : openOwnWindow());
    if (!ok) {
        Hyx::outError("Window open: unable to open window\n");
        XDispatch::disconnect();
        return 0;
    }
    windows[slot] = this;
    window_num = slot;
    ++num_window;
    createResources();
    opened = true;
    if (type == 1) addCallback("AnyEvent", this, nullptr);
    return 1;
}

int XWindow::openOwnWindow() {
    const int sw = DisplayWidth(display, screen);
    const int sh = DisplayHeight(display, screen);
    const int wx = x < 0 ? sw + x - width : x;
    const int wy = y < 0 ? sh + y - height : y;
    XSizeHints hints{};
    hints.flags = USPosition | USSize | PMinSize;
    hints.x = wx;
    hints.y = wy;
    hints.width = width;
    hints.height = height;
    hints.min_width = hints.min_height = 10;
    if (fixed) {
        hints.flags |= PMaxSize;
        hints.min_width = hints.max_width = width;
        hints.min_height = hints.max_height = height;
    }
    XSetWindowAttributes attr{};
    attr.background_pixel = static_cast<unsigned long>(back_color);
    attr.border_pixel = static_cast<unsigned long>(fore_color);
    attr.backing_store = Always;
    attr.colormap = color_map;
    attr.event_mask = EVENT_MASK;
    error = 0;
    error_print = 0;
    window = XCreateWindow(display, RootWindow(display, screen), wx, wy, width, height, 5, depth,
                           InputOutput, vis(visual),
                           CWBackPixel | CWBorderPixel | CWBackingStore | CWColormap | CWEventMask,
                           &attr);
    XSync(display, False);
    error_print = 1;
    if (error || !window) {
        if (window) XDestroyWindow(display, window);
        window = 0;
        return 0;
    }
    StrLib::replace(title, '_', ' ');
    const std::vector<unsigned char> bits = XImageTool::iconBits(ICON_SIZE);
    icon_pixmap = XCreateBitmapFromData(display, window, reinterpret_cast<const char*>(bits.data()),
                                        ICON_SIZE, ICON_SIZE);
    Hyx::outDebug("CrPix-icon: %d\n", static_cast<int>(icon_pixmap));
    XSetStandardProperties(display, window, title, title, icon_pixmap, nullptr, 0, &hints);
    XWMHints wm{};
    wm.flags = InputHint | StateHint | IconPixmapHint;
    wm.input = True;
    wm.initial_state = icon ? IconicState : NormalState;
    wm.icon_pixmap = icon_pixmap;
    XSetWMHints(display, window, &wm);
    char res_name[sizeof name];
    char res_class[] = "Hyx";
    StrLib::copy(res_name, sizeof res_name, name);
    XClassHint cls{res_name, res_class};
    XSetClassHint(display, window, &cls);
    XGCValues v{};
    v.graphics_exposures = False;
    base_gc = XCreateGC(display, window, GCGraphicsExposures, &v);
    dwindow = XCreatePixmap(display, window, width, height, depth);
    Hyx::outDebug("CrPix-draw: %d\n", static_cast<int>(dwindow));
    drawing = dwindow;
    XMapWindow(display, window);
    XSync(display, False);
    // The first exposure or structure event tells that the window is up. A window manager
    // that keeps an iconic window unmapped sends none, so the wait is bounded.
    XEvent ev;
    bool seen = false;
    for (int i = 0; i < 300 && !seen; ++i) {
        seen = XCheckWindowEvent(display, window, ExposureMask | StructureNotifyMask, &ev);
        if (!seen) Timer::sleep(0.01);
    }
    mapped = seen && (ev.type == MapNotify || ev.type == Expose);
    XClearWindow(display, window);
    XSetForeground(display, base_gc, static_cast<unsigned long>(back_color));
    XFillRectangle(display, dwindow, base_gc, 0, 0, width, height);
    return 1;
}

int XWindow::openOtherWindow() {
    drawing = dwindow = other_drawable;
    window = other_window;
    if (other_colormap) color_map = other_colormap;
    error = 0;
    error_print = 0;
    char* wname = nullptr;
    if (XFetchName(display, window, &wname) && wname) {
        const int cut = StrLib::where(wname, " [");
        StrLib::copy(title, sizeof title, wname, cut >= 0 ? cut : StrLib::length(wname));
        XFree(wname);
    }
    XSync(display, False);
    error = 0;
    XGCValues v{};
    v.graphics_exposures = False;
    base_gc = XCreateGC(display, drawing, GCGraphicsExposures, &v);
    XSync(display, False);
    if (error) {
        XFreeGC(display, base_gc); // its server half never existed: another quiet error
        XSync(display, False);
        base_gc = nullptr;
        window = dwindow = drawing = 0;
    }
    error_print = 1;
    if (!base_gc) return 0;
    mapped = true;
    return 1;
}

void XWindow::createResources() {
    clip = ClipRect{0, 0, static_cast<unsigned short>(width), static_cast<unsigned short>(height)};
    if (StrLib::equal(background, "def")) background[0] = 0;
    bg_color = back_color;
    light_ground = inverse;
    if (background[0]) {
        XColor c{};
        if (XParseColor(display, color_map, background, &c) &&
            XAllocColor(display, color_map, &c)) {
            bg_color = static_cast<int>(c.pixel);
            light_ground = 0.299 * c.red + 0.587 * c.green + 0.114 * c.blue > 0.5 * 65535;
        } else {
            Hyx::outWarning("XWindow::open: unknown background colour: %s\n", background);
        }
    }
    XSetForeground(display, base_gc, static_cast<unsigned long>(bg_color));
    if (type == 1) {
        XSetWindowBackground(display, window, static_cast<unsigned long>(bg_color));
        fillDrawable(dwindow);
    }
    const Window root = RootWindow(display, screen);
    for (int i = 0; i < NUM_FILL_PAT; ++i)
        fill_pat[i] = XCreateBitmapFromData(
            display, root, reinterpret_cast<const char*>(XImageTool::fillPattern(i)), 8, 8);
    Hyx::outDebug("CrBit-fill\n");
    XId* curs[] = {&cursor_x,    &cursor_ptr,  &cursor_move, &cursor_loop, &cursor_stop,
                   &cursor_draw, &cursor_rect, &cursor_text, &cursor_wait};
    for (int i = 0; i < 9; ++i) *curs[i] = XCreateFontCursor(display, CURSOR_SHAPES[i]);
    XGCValues v{};
    v.foreground = static_cast<unsigned long>(fore_color);
    v.background = static_cast<unsigned long>(back_color);
    const unsigned long mask = GCForeground | GCBackground;
    draw_gc = XCreateGC(display, root, mask, &v);
    line_gc = XCreateGC(display, root, mask, &v);
    text_gc = XCreateGC(display, root, mask, &v);
    mark_gc = XCreateGC(display, root, mask, &v);
    fill_gc = XCreateGC(display, root, mask, &v);
    XSetLineAttributes(display, text_gc, 1, LineSolid, CapProjecting, JoinBevel);
    XSetFillStyle(display, fill_gc, FillSolid);
    font_info = XLoadQueryFont(display, "fixed");
    if (font_info)
        XSetFont(display, text_gc, fontOf(font_info)->fid);
    else
        Hyx::outWarning("read_font: unable to load font: fixed\n");
    applyClip();
}

void XWindow::freeResources() {
    for (int i = 0; i < num_frame; ++i)
        if (frames[i].pixmap) XFreePixmap(display, frames[i].pixmap);
    frames.fill(XFrame{});
    num_frame = cur_frame = 0;
    if (type == 1) {
        XUnmapWindow(display, window);
        XDestroyWindow(display, window);
        Hyx::outDebug("FrPix-draw: %d\n", static_cast<int>(dwindow));
        XFreePixmap(display, dwindow);
        Hyx::outDebug("FrPix-icon: %d\n", static_cast<int>(icon_pixmap));
        XFreePixmap(display, icon_pixmap);
    }
    for (XId& p : fill_pat)
        if (p) XFreePixmap(display, p), p = 0;
    Hyx::outDebug("FrPix-fill\n");
    for (_XGC** gc : {&base_gc, &draw_gc, &line_gc, &text_gc, &fill_gc, &mark_gc})
        if (*gc) XFreeGC(display, *gc), *gc = nullptr;
    for (XId* c : {&cursor_x, &cursor_ptr, &cursor_move, &cursor_loop, &cursor_stop, &cursor_draw,
                   &cursor_rect, &cursor_text, &cursor_wait})
        if (*c) XFreeCursor(display, *c), *c = 0;
    if (font_info) XFreeFont(display, fontOf(font_info));
    font_info = nullptr;
    window = dwindow = drawing = icon_pixmap = 0;
}

int XWindow::close() {
    if (!opened) return 0;
    freeResources();
    XDispatch::remove(window);
    if (window_num >= 0 && window_num < MAX_WINDOW && windows[window_num] == this) {
        windows[window_num] = nullptr;
        --num_window;
    }
    window_num = -1;
    opened = false;
    mapped = false;
    looping = 0;
    cursor = -1;
    if (num_window == 0)
        XDispatch::disconnect();
    else
        XFlush(display);
    return 1;
}

// ---- Output ----

int XWindow::update() {
    if (!opened) return 0;
    if (dwindow != window) XCopyArea(display, dwindow, window, base_gc, 0, 0, width, height, 0, 0);
    XSync(display, False);
    return 1;
}

void XWindow::fillDrawable(XId d) {
    if (d) XFillRectangle(display, d, base_gc, 0, 0, width, height);
}

int XWindow::clear() {
    if (!opened) return 0;
    fillDrawable(drawing);
    return 1;
}

int XWindow::clearRect(Rect& r) {
    if (!opened) return 0;
    const int x1 = static_cast<int>(std::fmin(r.xmin, r.xmax));
    const int y1 = static_cast<int>(std::fmin(r.ymin, r.ymax));
    const int x2 = static_cast<int>(std::fmax(r.xmin, r.xmax));
    const int y2 = static_cast<int>(std::fmax(r.ymin, r.ymax));
    XFillRectangle(display, drawing, base_gc, x1, y1, x2 - x1 + 1, y2 - y1 + 1);
    return 1;
}

XWindow::XId XWindow::newPixmap(int w, int h) {
    const XId p = XCreatePixmap(display, RootWindow(display, screen), w, h, depth);
    XFillRectangle(display, p, base_gc, 0, 0, w, h);
    return p;
}

int XWindow::resize(float fw, float fh) {
    if (!opened) return 0;
    Hyx::outDebug("Resize\n");
    const int w = static_cast<int>(fw);
    const int h = static_cast<int>(fh);
    int nw = w, nh = h;
    if (w <= 0) {
        XWindowAttributes a{};
        if (!XGetWindowAttributes(display, window, &a)) return 0;
        if (a.width == width && a.height == height) return 0;
        XClearWindow(display, window);
        nw = a.width;
        nh = a.height;
    } else if (h <= 0) {
        return 0;
    } else if (type == 1) {
        XResizeWindow(display, window, w, h);
    }
    if (type == 1 && (w > 0 || w == -1)) {
        // The picture keeps what it had; new parts show the background.
        const XId p = newPixmap(nw, nh);
        XCopyArea(display, dwindow, p, base_gc, 0, 0, std::min(width, nw), std::min(height, nh), 0,
                  0);
        if (drawing == dwindow) drawing = p;
        XFreePixmap(display, dwindow);
        dwindow = p;
    }
    width = nw;
    height = nh;
    return 1;
}

// ---- Colours and attributes ----

int XWindow::allocColor(float r, float g, float b) {
    if (!opened) return 0;
    if (r == -1) return back_color;
    auto comp = [](float c) {
        const float f = c < 0 ? 0 : (c > 1 ? 1 : c);
        return static_cast<unsigned short>(f * 65535);
    };
    XColor c{};
    c.red = comp(r);
    c.green = comp(g);
    c.blue = comp(b);
    c.flags = DoRed | DoGreen | DoBlue;
    if (!XAllocColor(display, color_map, &c)) {
        Hyx::outDebug("XWindow::allocColor: no colour cell for %.2f %.2f %.2f\n", r, g, b);
        return fore_color;
    }
    return static_cast<int>(c.pixel);
}

_XGC* XWindow::gcOf(int t) const {
    switch (t) {
    case LINE:
        return line_gc;
    case MARK:
        return mark_gc;
    case FILL:
        return fill_gc;
    case TEXT:
        return text_gc;
    default:
        return draw_gc;
    }
}

int XWindow::setColor(int t, int pixel) {
    if (!opened) return 0;
    XSetForeground(display, gcOf(t), static_cast<unsigned long>(static_cast<unsigned int>(pixel)));
    return 1;
}

int XWindow::setLineWidth(int t, float w) {
    if (!opened) return 0;
    XGCValues v{};
    v.line_width = w > 0 ? pix(w) : 0;
    XChangeGC(display, gcOf(t), GCLineWidth, &v);
    return 1;
}

int XWindow::setLineStyle(int t, int style) {
    if (!opened) return 0;
    XGCValues v{};
    v.line_style = LineSolid;
    if (style >= 2 && style <= 5) {
        const DashList& d = DASHES[style - 2];
        XSetDashes(display, gcOf(t), 0, d.len, d.n);
        v.line_style = LineOnOffDash;
    }
    XChangeGC(display, gcOf(t), GCLineStyle, &v);
    return 1;
}

int XWindow::setFillStyle(int t, int style) {
    if (!opened) return 0;
    if (style > 0 && style < NUM_FILL_PAT) {
        XSetStipple(display, gcOf(t), fill_pat[style]);
        XSetFillStyle(display, gcOf(t), FillStippled);
    } else {
        XSetFillStyle(display, gcOf(t), FillSolid);
    }
    return 1;
}

int XWindow::setClip(float x1, float y1, float x2, float y2) {
    if (!opened) return 0;
    const short cx = pix(x1);
    const short cy = pix(y1);
    const int cw = pix(x2) - cx + 1;
    const int ch = pix(y2) - cy + 1;
    clip.x = cx;
    clip.y = cy;
    clip.width = static_cast<unsigned short>(cw < 0 ? 0 : (cw > 65535 ? 65535 : cw));
    clip.height = static_cast<unsigned short>(ch < 0 ? 0 : (ch > 65535 ? 65535 : ch));
    applyClip();
    XFlush(display);
    return 1;
}

void XWindow::applyClip() {
    XRectangle r{clip.x, clip.y, clip.width, clip.height};
    for (_XGC* gc : {draw_gc, line_gc, text_gc, mark_gc, fill_gc})
        XSetClipRectangles(display, gc, 0, 0, &r, 1, Unsorted);
}

Rect XWindow::getClip() {
    return Rect(clip.x, clip.y, static_cast<float>(clip.x + clip.width),
                static_cast<float>(clip.y + clip.height));
}

int XWindow::setCursor(int code) {
    const int prev = cursor;
    if (!opened || code < 0 || code > CUR_BUSY) return prev;
    const XId c[] = {cursor_x,    cursor_ptr,  cursor_move, cursor_loop, cursor_stop,
                     cursor_draw, cursor_rect, cursor_text, cursor_wait};
    if (code != cursor && c[code]) {
        XDefineCursor(display, window, c[code]);
        XFlush(display);
        cursor = code;
    }
    return prev;
}

int XWindow::bell(int volume) {
    if (!opened) return 0;
    XBell(display, volume ? volume : 50);
    XFlush(display);
    return 1;
}

int XWindow::message(const char* str) {
    Hyx::outDebug("Mess: %s\n", str ? str : "");
    return 1;
}

// ---- Lines, fills and text ----

namespace {

std::vector<XPoint>& toXPoints(const Points& pts) {
    static std::vector<XPoint> xp;
    const int n = pts.getNum();
    xp.resize(static_cast<size_t>(n));
    const float* px = pts.getX();
    const float* py = pts.getY();
    for (int i = 0; i < n; ++i) xp[i] = XPoint{pix(px[i]), pix(py[i])};
    return xp;
}

} // namespace

int XWindow::drawLine(int t, float x1, float y1, float x2, float y2) {
    if (!opened) return 0;
    XDrawLine(display, drawing, gcOf(t), pix(x1), pix(y1), pix(x2), pix(y2));
    return 1;
}

int XWindow::drawLine(int t, Points& pts) {
    if (!opened) return 0;
    std::vector<XPoint>& xp = toXPoints(pts);
    if (xp.size() >= 2)
        XDrawLines(display, drawing, gcOf(t), xp.data(), static_cast<int>(xp.size()),
                   CoordModeOrigin);
    return 1;
}

int XWindow::drawFill(int t, Points& pts) {
    if (!opened) return 0;
    std::vector<XPoint>& xp = toXPoints(pts);
    const int n = static_cast<int>(xp.size());
    if (n < 2) return 1;
    XFillPolygon(display, drawing, gcOf(t), xp.data(), n, Complex, CoordModeOrigin);
    XDrawLines(display, drawing, gcOf(t), xp.data(), n, CoordModeOrigin);
    return 1;
}

int XWindow::setFont(const char* fontname) {
    if (!opened || !fontname) return 0;
    XFontStruct* f = XLoadQueryFont(display, fontname);
    if (font_info) XFreeFont(display, fontOf(font_info));
    font_info = f;
    if (!f) {
        Hyx::outWarning("read_font: unable to load font: %s\n", fontname);
        return -1;
    }
    XSetFont(display, text_gc, f->fid);
    return 1;
}

int XWindow::drawText(Point& pt, const char* str) {
    if (!opened || !str) return 0;
    int px = pix(pt.x);
    int py = pix(pt.y);
    const int len = StrLib::length(str);
    if (const XFontStruct* f = fontOf(font_info)) {
        const int w = XTextWidth(const_cast<XFontStruct*>(f), str, len);
        if (text_halign == 2) px -= w / 2;
        if (text_halign == 3) px -= w;
        if (text_valign == 1) py += f->ascent;
        if (text_valign == 2) py += f->ascent / 2;
        if (text_valign == 3) py -= f->descent;
    }
    XDrawString(display, drawing, text_gc, px, py, str, len);
    return 1;
}

// ---- Images ----

int XWindow::drawImage(Image& img, float px, float py) {
    if (!opened || img.getWidth() < 1 || img.getHeight() < 1 || !img.validData()) return 0;
    Hyx::outDebug("drImg\n");
    const int w = img.getWidth();
    const int h = img.getHeight();
    int ax = static_cast<int>(px);
    int ay = static_cast<int>(py - h + 0.5f);
    if (image_halign == 2) ax = static_cast<int>(px - w / 2 + 0.5f);
    if (image_halign == 3) ax = static_cast<int>(px - w + 0.5f);
    if (image_valign == 2) ay = static_cast<int>(py - h / 2 + 0.5f);
    if (image_valign == 3) ay = static_cast<int>(py);
    return putImage(img, ax, ay, -1);
}

int XWindow::drawImage(Image& img, int color, float px, float py) {
    if (!opened || img.getWidth() < 1 || img.getHeight() < 1 || !img.validData()) return 0;
    Hyx::outDebug("drImg\n");
    return putImage(img, static_cast<int>(px), static_cast<int>(py), color < 0 ? -1 : color);
}

// Puts the image at (ax, ay) of the drawing. With color < 0 the image's own transparent
// index (or its last palette entry without colour) is left out; otherwise every pixel of
// the device value allocated for palette index color.
int XWindow::putImage(Image& img, int ax, int ay, int color) {
    const int w = img.getWidth();
    const int h = img.getHeight();
    Visual* v = vis(visual);
    XImage* xi = XCreateImage(display, v, depth, ZPixmap, 0, nullptr, w, h, 32, 0);
    if (!xi) return 0;
    std::vector<char> buf(static_cast<size_t>(xi->bytes_per_line) * static_cast<size_t>(h));
    xi->data = buf.data();
    if (color >= 0) Hyx::outDebug("CrImg %p\n", static_cast<void*>(xi));
    XImageTool::Mask m;
    m.x = ax;
    m.y = ay;
    m.clip_x1 = clip.x;
    m.clip_y1 = clip.y;
    m.clip_x2 = clip.x + clip.width;
    m.clip_y2 = clip.y + clip.height;
    m.by_pixel = color >= 0;
    bool masked = color >= 0;
    if (img.getColorType() == Image::MAPPED && img.getNumColors() > 0) {
        int last_clear = -1;
        for (int i = 0; i < img.getNumColors(); ++i) {
            img.setColorVal(i, allocColor(img.getRed(i), img.getGrn(i), img.getBlu(i)));
            if (img.getRed(i) == -1) last_clear = i;
        }
        m.trans = color >= 0 ? img.getColorVal(color)
                             : (img.hasTransColor() ? img.getTransColor() : last_clear);
        masked = masked || m.trans >= 0;
    } else if (img.getColorType() == Image::DIRECT) {
        xi->red_mask = img.red_mask;
        xi->green_mask = img.grn_mask;
        xi->blue_mask = img.blu_mask;
        m.trans = color >= 0 ? color : img.getTransColor();
        m.by_pixel = true;
        masked = masked || img.hasTransColor();
    }
    XImageTool::fill(img, xi, {v->red_mask, v->green_mask, v->blue_mask});
    Pixmap mask = 0;
    if (masked) {
        // The mask replaces the clip rectangle, so it carries the clip rectangle too.
        std::vector<char> bits = XImageTool::maskBits(img, m);
        mask = XCreateBitmapFromData(display, drawing, bits.data(), w, h);
        XSetClipMask(display, draw_gc, mask);
        XSetClipOrigin(display, draw_gc, ax, ay);
    }
    XPutImage(display, drawing, draw_gc, xi, 0, 0, ax, ay, w, h);
    if (mask) {
        XSetClipMask(display, draw_gc, None);
        XSetClipOrigin(display, draw_gc, 0, 0);
        applyClip();
        XFreePixmap(display, mask);
    }
    xi->data = nullptr;
    XDestroyImage(xi);
    XSync(display, False);
    return 1;
}

int XWindow::getImage(Image& img) {
    if (!opened) return 0;
    Hyx::outDebug("getImg\n");
    XImage* xi = XGetImage(display, drawing, 0, 0, width, height, AllPlanes, ZPixmap);
    if (!xi) return 0;
    if (Hyx::isDebug(3)) printImage(xi);
    const Visual* v = vis(visual);
    XImageTool::read(xi, {v->red_mask, v->green_mask, v->blue_mask}, img);
    Hyx::outDebug("destImg\n");
    XDestroyImage(xi);
    return 1;
}

// ---- Frames ----

int XWindow::frameIndex(int f) const {
    if (f == LAST_FRAME) f = num_frame - 1;
    if (f == SHOWN_FRAME) f = cur_frame;
    return f >= 0 && f < num_frame ? f : -1;
}

XWindow::XId XWindow::framePixmap(int f) const {
    if (f == DRAW_PIXMAP) return dwindow;
    const int i = frameIndex(f);
    return i >= 0 ? frames[i].pixmap : 0;
}

int XWindow::newFrame(int f) {
    if (!opened) return 0;
    int i = f;
    if (f < 0 || f >= num_frame) {
        if (num_frame >= max_frame) {
            Hyx::outWarning("XWindow::newFrame: no room for more than %d frames\n", max_frame);
            return 0;
        }
        i = num_frame;
    }
    XFrame& fr = frames[i];
    if (!fr.pixmap) fr.pixmap = newPixmap(width, height);
    StrLib::copy(fr.title, sizeof fr.title, title);
    fillDrawable(fr.pixmap);
    if (i > 0) frames[i - 1].delay = delay;
    if (i == num_frame) ++num_frame;
    frames[num_frame - 1].delay = end_delay;
    Hyx::outDebug("newFrm\n");
    return 1;
}

int XWindow::newFrame() {
    const int n = num_frame;
    return newFrame(LAST_FRAME) ? n : -1;
}

int XWindow::setFrame(int f) {
    if (!opened) return 0;
    if (f == DRAW_PIXMAP) {
        drawing = dwindow;
        return 1;
    }
    const XId p = framePixmap(f);
    if (!p) return 0;
    drawing = p;
    return 1;
}

int XWindow::copyFrame(int dest, int src) {
    if (!opened) return 0;
    const XId d = framePixmap(dest);
    const XId s = framePixmap(src);
    if (!d || !s || d == s) return 0;
    XCopyArea(display, s, d, base_gc, 0, 0, width, height, 0, 0);
    return 1;
}

int XWindow::displayFrame(int f) {
    if (!opened) return 0;
    const int i = frameIndex(f);
    if (i < 0) return 0;
    copyFrame(DRAW_PIXMAP, i);
    if (show_win_num) {
        char t[80];
        std::snprintf(t, sizeof t, "%s [%d]", title, i);
        showTitle(t);
    }
    Hyx::outDebug(3, "Display frame: %s [%d]\n", title, i);
    update();
    cur_frame = i;
    return 1;
}

int XWindow::clearFrame(int f) {
    if (!opened) return 0;
    const XId p = framePixmap(f);
    if (!p) return 0;
    fillDrawable(p);
    return 1;
}

int XWindow::deleteFrame(int f) {
    if (!opened) return 0;
    const int i = frameIndex(f);
    if (i < 0) return 0;
    Hyx::outDebug(2, "Deleting frame %d\n", i);
    if (drawing == frames[i].pixmap) drawing = dwindow;
    XFreePixmap(display, frames[i].pixmap);
    for (int k = i; k < num_frame - 1; ++k) frames[k] = frames[k + 1];
    frames[--num_frame] = XFrame{};
    if (i == num_frame && num_frame >= 2) frames[num_frame - 1].delay = end_delay;
    if (num_frame == 0) {
        cur_frame = 0;
        fillDrawable(dwindow);
        update();
        return 1;
    }
    const bool shown = i == cur_frame;
    if (i < cur_frame) --cur_frame; // the frame shown moved down one place
    if (cur_frame >= num_frame) cur_frame = num_frame - 1;
    if (shown) displayFrame(cur_frame);
    return 1;
}

int XWindow::deleteFrame() {
    if (!opened || num_frame == 0) return 0;
    for (int i = 0; i < num_frame; ++i) {
        if (drawing == frames[i].pixmap) drawing = dwindow;
        XFreePixmap(display, frames[i].pixmap);
        frames[i] = XFrame{};
    }
    num_frame = cur_frame = 0;
    fillDrawable(dwindow);
    update();
    return 1;
}

void XWindow::loopBounds(int& lo, int& hi) const {
    lo = start_frame >= 0 && start_frame < num_frame ? start_frame : 0;
    hi = end_frame >= 0 && end_frame < num_frame ? end_frame : num_frame - 1;
    if (hi < lo) hi = lo;
}

int XWindow::incFrame(int step) {
    if (!opened || num_frame == 0) return -1;
    int lo, hi;
    loopBounds(lo, hi);
    const int next = FrameTool::next(cur_frame, step, lo, hi, direct);
    displayFrame(next);
    return next;
}

float XWindow::frameDelay() const {
    int lo, hi;
    loopBounds(lo, hi);
    return cur_frame == hi ? end_delay : delay;
}

int XWindow::toggleLoop() {
    looping = looping ? 0 : 1;
    setCursor(looping ? CUR_LOOP : CUR_STOP);
    return looping;
}

int XWindow::loopRate(int step) {
    delay = FrameTool::rate(delay, step);
    Hyx::outMessage(8, "Delay: %f\n", delay);
    return 1;
}

int XWindow::setDelay(float d, float end) {
    if (!(d > 0) || !(end > 0)) return 0;
    delay = d;
    end_delay = end;
    return 1;
}

// ---- Listeners ----

int XWindow::addCallback(const char* ev, Listener* l, const void* data) {
    if (!opened || type != 1 || !l || !ev) return 0;
    if (StrLib::equal(ev, "AnyEvent")) return XDispatch::add(window, 0, l, data);
    if (StrLib::equal(ev, "Expose")) return XDispatch::add(window, Expose, l, data);
    if (StrLib::equal(ev, "ButtonPress")) return XDispatch::add(window, ButtonPress, l, data);
    return 0;
}

int XWindow::doCallback(const char* ev, const char* data) {
    if (!opened) return 0;
    XDispatch::deliverAll(window, ev, data);
    return 1;
}

void XWindow::callback(const char* ev, const char* data, const void*) {
    if (!opened || !ev) return;
    if (!data) data = "";
    if (StrLib::equal(ev, "Expose")) {
        update();
    } else if (StrLib::equal(ev, "MapNotify")) {
        mapped = true;
    } else if (StrLib::equal(ev, "UnmapNotify")) {
        mapped = false;
    } else if (StrLib::equal(ev, "Configure")) {
        if (resize(-1, -1) > 0) {
            XDispatch::deliver(window, REDRAW_EVENT, "Redraw", data);
            if (!XDispatch::isListed(this)) return; // a listener closed the window
        }
        update();
    } else if (StrLib::equal(ev, "ButtonPress")) {
        pressButton(data[0] == 'B' ? data[1] - '0' : 0);
    } else if (StrLib::equal(ev, "KeyPress")) {
        if (StrLib::equal(data, "d-Alt", 5)) deleteFrame(SHOWN_FRAME);
        if (StrLib::equal(data, "l-Alt", 5)) toggleLoop();
        if (StrLib::equal(data, "[-Alt", 5)) pressButton(1);
        if (StrLib::equal(data, "]-Alt", 5)) pressButton(3);
    }
}

// Button 1 steps back or slows the loop, 2 starts or stops it, 3 steps on or speeds it up.
void XWindow::pressButton(int b) {
    if (b == 1) looping ? loopRate(-1) : incFrame(-1);
    if (b == 2) toggleLoop();
    if (b == 3) looping ? loopRate(1) : incFrame(1);
}

// ---- Event loop ----

int XWindow::manage() {
    if (!opened || type != 1) return 0;
    managed = true;
    return XDispatch::mainloop(); // a listener may have destroyed this object: nothing may follow
}

void XWindow::initStatic() { XDispatch::reset(); }
int XWindow::mainloop() { return XDispatch::mainloop(); }
void XWindow::processPending() { XDispatch::processPending(); }
void XWindow::processEvent(XEvent& ev) { XDispatch::processEvent(ev); }
void XWindow::procCallback(XId win, int code, const char* name, const char* data) {
    XDispatch::deliver(win, code, name, data);
}

// ---- Debug aids ----

int XWindow::printGC(int kind) const {
    if (!opened) return 0;
    XGCValues v{};
    const unsigned long mask = GCFunction | GCPlaneMask | GCForeground | GCBackground |
                               GCLineWidth | GCLineStyle | GCFillStyle | GCFillRule | GCTile |
                               GCStipple | GCTileStipXOrigin | GCTileStipYOrigin | GCClipXOrigin |
                               GCClipYOrigin;
    if (!XGetGCValues(display, gcOf(kind), mask, &v)) return 0;
    std::printf("GC-Func: %d Plane:%lu F: %lu B: %lu Lw: %d Ls: %d Fs: %d Fr: %d Tile: %d Stip: %d "
                "TS: %d,%d Clip: %d,%d\n",
                v.function, v.plane_mask, v.foreground, v.background, v.line_width, v.line_style,
                v.fill_style, v.fill_rule, static_cast<int>(v.tile), static_cast<int>(v.stipple),
                v.ts_x_origin, v.ts_y_origin, v.clip_x_origin, v.clip_y_origin);
    return 1;
}

void XWindow::printImage(const _XImage* xi) { XImageTool::print(xi); }

} // namespace HYX
