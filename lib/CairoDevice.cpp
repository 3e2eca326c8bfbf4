// The cairo file devices: parameters, attributes, lines, fills, images and clipping.
#include "HYX/CairoDevice.h"

#include "HYX/Hyx.h"
#include "HYX/Image.h"
#include "HYX/LineScan.h"
#include "HYX/Points.h"
#include "HYX/RGB.h"
#include "HYX/StrLib.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace HYX {

namespace {

// Dash patterns of line styles 2 to 5 in points, as on the PostScript page.
struct Dash {
    int n;
    double len[4];
};
const Dash DASHES[] = {{1, {6}}, {2, {3, 6}}, {4, {6, 6, 3, 6}}, {1, {2}}};

const char* const FORMAT_NAMES[] = {"png", "gif", "pdf", "svg", "eps"};

// The PostScript device's grey level of a colour.
double grey(double r, double g, double b) { return (0.9 * r + g + 0.8 * b) / 2.7; }

} // namespace

CairoDevice::CairoDevice(Format f, const char* device)
    : PageDevice(device, false, true), format(f) {}

CairoDevice::~CairoDevice() { endPicture(); }

const char* CairoDevice::getFormatName() const { return FORMAT_NAMES[format]; }

int CairoDevice::init() {
    initPage((std::string("hyx.") + getFormatName()).c_str());
    path = filename;
    inverse = true;
    color = true;
    orient = -1;
    bad_param = false;
    image_halign = 1;
    image_valign = 3;
    dash_style = 1;
    return 1;
}

void CairoDevice::paramError(const char* fmt, const char* item) const {
    char text[300];
    std::snprintf(text, sizeof text, fmt, item);
    Hyx::outError("%s: %s: %s\n", deviceName(), path.c_str(), text);
}

bool CairoDevice::parseSize(const char* text, float& w, float& h) {
    LineScan s(text ? text : "");
    return s.pair('x', w, h) && s.atEnd() && w > 0 && h > 0;
}

int CairoDevice::setParam(const char* param) {
    if (!param) return 0;
    const std::vector<std::string_view> items = LineScan::items(param);
    if (!items.empty() && !items[0].empty()) {
        path = items[0];
        StrLib::copy(filename, sizeof filename, path.c_str());
    }
    for (size_t i = 1; i < items.size(); ++i) {
        const std::string it(items[i]);
        if (!it.empty()) setItem(it.c_str());
    }
    return bad_param ? 0 : 1;
}

void CairoDevice::setItem(const char* it) {
    if (LineScan::iequal(it, "color") || LineScan::iequal(it, "colour")) {
        color = true;
    } else if (LineScan::iequal(it, "gray") || LineScan::iequal(it, "grey")) {
        color = false;
    } else if (LineScan::iequal(it, "port")) {
        orient = 1;
    } else if (LineScan::iequal(it, "land")) {
        orient = 0;
    } else if (LineScan::istartsWith(it, "lwidth=")) {
        LineScan s(it + 7);
        double v = 0;
        if (!s.real(v) || !s.atEnd() || !(v > 0 && v <= 100)) {
            paramError("the line width in \"%s\" is not a number above 0 and up to 100", it);
            bad_param = true;
        } else {
            base_width = static_cast<float>(v);
        }
    } else {
        const int r = setOption(it);
        if (r == 0) {
            const std::string what = std::string("unknown option \"%s\" (") + getFormatName() +
                                     " takes color, gray, port, land, lwidth=N, " + optionList() +
                                     ")";
            paramError(what.c_str(), it);
        }
        if (r <= 0) bad_param = true;
    }
}

int CairoDevice::open() {
    if (isOpen()) return 1;
    if (bad_param) return 0;
    if ((orient == 1 && width > height) || (orient == 0 && width < height))
        std::swap(width, height);
    if (!offscreen) return PageDevice::open();
    if (!startPicture()) return 0;
    if (clip.width == 0 && clip.height == 0) clip.set(0, 0, width, height);
    opened = true;
    return 1;
}

int CairoDevice::close() {
    if (!isOpen()) return 0;
    int r = 1;
    if (offscreen)
        opened = false;
    else
        r = PageDevice::close();
    endPicture();
    return r;
}

void CairoDevice::writeHeader() {
    if (!startPicture()) failed = true;
}

void CairoDevice::writeTrailer() {
    if (failed || !cr || cairo_status(cr) != CAIRO_STATUS_SUCCESS) {
        failed = true;
        return;
    }
    flushStrokes();
    cairo_surface_flush(surface);
    if (!writePicture(surface)) failed = true;
}

bool CairoDevice::startPicture() {
    endPicture();
    surface = makeSurface();
    if (surface) cr = cairo_create(surface);
    if (!cr || cairo_status(cr) != CAIRO_STATUS_SUCCESS) {
        const cairo_status_t st = surface ? cairo_surface_status(surface) : CAIRO_STATUS_NO_MEMORY;
        Hyx::outError("%s: %s: cannot make a picture of %gx%g: %s\n", deviceName(), path.c_str(),
                      width, height, cairo_status_to_string(st));
        endPicture();
        return false;
    }
    prepare(cr);
    return true;
}

void CairoDevice::prepare(cairo_t* c) const {
    // As on the PostScript page: bevelled joins ("2 setlinejoin"), butt caps.
    cairo_set_line_join(c, CAIRO_LINE_JOIN_BEVEL);
    cairo_set_line_cap(c, CAIRO_LINE_CAP_BUTT);
    // Cairo's fast anti-aliasing draws these thin lines as well as its default in two thirds
    // of the time.
    cairo_set_antialias(c, antialias() ? CAIRO_ANTIALIAS_FAST : CAIRO_ANTIALIAS_NONE);
}

void CairoDevice::endPicture() {
    queued.clear();
    if (cr) cairo_destroy(cr);
    if (surface) cairo_surface_destroy(surface);
    cr = nullptr;
    surface = nullptr;
    steps.clear();
}

void CairoDevice::perform(Step step) {
    flushStrokes();
    step(cr);
    if (keepsSteps()) steps.push_back(std::move(step));
}

void CairoDevice::replay(cairo_t* c) const {
    prepare(c);
    for (const Step& step : steps) step(c);
}

CairoDevice::Pen CairoDevice::penOf(int value) const {
    const auto v = static_cast<uint32_t>(value);
    Pen p;
    p.r = ((v >> 16) & 0xFFu) / 255.0;
    p.g = ((v >> 8) & 0xFFu) / 255.0;
    p.b = (v & 0xFFu) / 255.0;
    if (!color) p.r = p.g = p.b = grey(p.r, p.g, p.b);
    return p;
}

CairoDevice::Pen CairoDevice::strokeOf(int type) {
    int col = line_color;
    float w = line_width * base_width * line_bold;
    int style = line_style;
    if (type == MARK || type == TEXT) {
        col = type == MARK ? mark_color : text_color;
        w = (type == MARK ? mark_width : text_width) * base_width;
        style = 1;
    }
    // Styles without a pattern of their own keep the one in force, as on the page.
    if (style >= 1 && style <= 5) dash_style = style;
    Pen p = penOf(col);
    const double k = unitsPerPoint();
    p.width = std::max(thinnestLine(), w * DOT * k);
    if (dash_style >= 2) {
        const Dash& d = DASHES[dash_style - 2];
        p.dashes = d.n;
        for (int i = 0; i < d.n; ++i) p.dash[i] = d.len[i] * k;
    }
    return p;
}

bool CairoDevice::Pen::operator==(const Pen& o) const {
    return r == o.r && g == o.g && b == o.b && width == o.width && dashes == o.dashes &&
           std::equal(dash, dash + dashes, o.dash);
}

void CairoDevice::queueStroke(const Pen& p, std::vector<double> xy) {
    if (!queued.empty() && !(p == queued_pen)) flushStrokes();
    queued_pen = p;
    queued.push_back(std::move(xy));
}

void CairoDevice::flushStrokes() {
    if (queued.empty() || !cr) return;
    Step step = [p = queued_pen, paths = std::move(queued)](cairo_t* c) { stroke(c, p, paths); };
    queued.clear();
    step(cr);
    if (keepsSteps()) steps.push_back(std::move(step));
}

void CairoDevice::stroke(cairo_t* c, const Pen& p, const std::vector<std::vector<double>>& paths) {
    cairo_set_source_rgb(c, p.r, p.g, p.b);
    cairo_set_line_width(c, p.width);
    // Each part starts its dashes afresh, as a line of its own would.
    cairo_set_dash(c, p.dash, p.dashes, 0);
    cairo_new_path(c);
    for (const std::vector<double>& xy : paths) {
        cairo_move_to(c, xy[0], xy[1]);
        for (size_t i = 2; i + 1 < xy.size(); i += 2) cairo_line_to(c, xy[i], xy[i + 1]);
    }
    cairo_stroke(c);
}

std::vector<double> CairoDevice::pathOf(const Points& pts) const {
    const int n = pts.getNum();
    const float* px = pts.getX();
    const float* py = pts.getY();
    std::vector<double> xy(2 * static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        xy[2 * i] = px[i];
        xy[2 * i + 1] = height - py[i];
    }
    return xy;
}

int CairoDevice::setLineWidth(int type, float w) {
    return PageDevice::setLineWidth(type, w == 0 ? 1.0f : w);
}

int CairoDevice::drawLine(int type, float x1, float y1, float x2, float y2) {
    if (!cr) return 0;
    queueStroke(strokeOf(type), {x1, height - y1, x2, height - y2});
    return 1;
}

int CairoDevice::drawLine(int type, Points& pts) {
    if (!cr || pts.getNum() < 1) return 0;
    queueStroke(strokeOf(type), pathOf(pts));
    return 1;
}

int CairoDevice::drawFill(int, Points& pts) {
    if (!cr || pts.getNum() < 1) return 0;
    Pen p = penOf(fill_color);
    // Contour bands arrive as many polygons side by side; a thin edge in their own colour
    // covers the light seams that anti-aliasing leaves where two of them meet.
    p.width = fillEdge();
    perform([p, xy = pathOf(pts)](cairo_t* c) {
        cairo_set_source_rgb(c, p.r, p.g, p.b);
        cairo_new_path(c);
        cairo_move_to(c, xy[0], xy[1]);
        for (size_t i = 2; i + 1 < xy.size(); i += 2) cairo_line_to(c, xy[i], xy[i + 1]);
        cairo_close_path(c);
        if (p.width <= 0) {
            cairo_fill(c);
            return;
        }
        cairo_fill_preserve(c);
        cairo_set_line_width(c, p.width);
        cairo_set_dash(c, nullptr, 0, 0);
        cairo_stroke(c);
    });
    return 1;
}

int CairoDevice::setClip(float x1, float y1, float x2, float y2) {
    clip.set(x1 - 0.1f, y1 - 0.1f, x2 - x1 + 0.2f, y2 - y1 + 0.2f);
    if (!cr) return 1;
    double xa = std::min(x1, x2) - 0.1, xb = std::max(x1, x2) + 0.1;
    double ya = std::min(y1, y2) - 0.1, yb = std::max(y1, y2) + 0.1;
    if (alignClip()) {
        // Whole pixels: cairo clips to them without a mask, which keeps drawing fast.
        xa = std::floor(xa);
        ya = std::floor(ya);
        xb = std::ceil(xb);
        yb = std::ceil(yb);
    }
    const double w = width, h = height;
    perform([w, h, xa, xb, ya, yb](cairo_t* c) {
        cairo_reset_clip(c);
        // Never beyond the page: the vector pages are cut to what was drawn.
        cairo_rectangle(c, 0, 0, w, h);
        cairo_clip(c);
        cairo_rectangle(c, xa, h - yb, xb - xa, yb - ya);
        cairo_clip(c);
    });
    return 1;
}

int CairoDevice::setImageAlign(int h, int v) {
    image_halign = h;
    image_valign = v;
    return 1;
}

int CairoDevice::drawImage(Image& img, float px, float py) { return paintImage(img, -1, px, py); }

int CairoDevice::drawImage(Image& img, int index, float px, float py) {
    return paintImage(img, index < 0 ? -1 : index, px, py);
}

int CairoDevice::paintImage(Image& img, int index, float px, float py) {
    const int w = img.getWidth(), h = img.getHeight();
    if (!cr || w < 1 || h < 1 || !img.validData()) return 0;
    cairo_surface_t* pic = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    if (cairo_surface_status(pic) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(pic);
        return 0;
    }
    cairo_surface_flush(pic);
    unsigned char* data = cairo_image_surface_get_data(pic);
    const int stride = cairo_image_surface_get_stride(pic);
    const bool by_index = index >= 0 && img.getColorType() == Image::MAPPED;
    RGB rgb;
    for (int j = 0; j < h; ++j) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<long>(j) * stride);
        for (int i = 0; i < w; ++i) {
            if (by_index ? img.getVal(i, j) == static_cast<uint32_t>(index)
                         : img.isPixelTrans(i, j)) {
                row[i] = 0;
                continue;
            }
            img.getRGB(i, j, rgb);
            uint32_t r = RGB::toByte(rgb.red), g = RGB::toByte(rgb.grn), b = RGB::toByte(rgb.blu);
            if (!color)
                r = g = b = static_cast<uint32_t>(255 * grey(r / 255.0, g / 255.0, b / 255.0));
            row[i] = 0xFF000000u | r << 16 | g << 8 | b;
        }
    }
    cairo_surface_mark_dirty(pic);
    double left = px, top = height - py;
    if (image_halign == 2) left -= w / 2.0;
    if (image_halign == 3) left -= w;
    if (image_valign == 2) top -= h / 2.0;
    if (image_valign == 1) top -= h;
    std::shared_ptr<cairo_surface_t> shared(pic, cairo_surface_destroy);
    perform([shared, left, top](cairo_t* c) {
        cairo_save(c);
        cairo_set_source_surface(c, shared.get(), left, top);
        cairo_pattern_set_filter(cairo_get_source(c), CAIRO_FILTER_NEAREST);
        cairo_paint(c);
        cairo_restore(c);
    });
    return 1;
}

} // namespace HYX
