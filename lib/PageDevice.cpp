// The common ground of the file devices.
#include "HYX/PageDevice.h"

#include "HYX/DeviceTool.h"
#include "HYX/Hyx.h"
#include "HYX/Image.h"
#include "HYX/LineScan.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"

#include <iterator>

namespace HYX {

const PageDevice::PageSize PageDevice::PAGE_SIZES[6] = {
    {"letter", 10.5f, 8.0f}, {"legal", 13.5f, 8.0f}, {"11x17", 16.5f, 10.5f},
    {"a4", 11.2f, 7.8f},     {"a3", 15.4f, 11.2f},   {"ansid", 33.5f, 21.5f}};

bool PageDevice::pageInches(const char* name, float& w, float& h) {
    // Page names only: no name begins with "sz".
    return name && !LineScan::istartsWith(name, "sz") &&
           paperOption(name, PAGE_SIZES, std::size(PAGE_SIZES), w, h) == 1;
}

int PageDevice::paperOption(std::string_view item, const PageSize* pages, size_t npages, float& w,
                            float& h) {
    if (LineScan::istartsWith(item, "sz")) {
        if (item.size() <= 3) return 0;
        LineScan s(item.substr(3));
        return s.real(w) && s.take(':') && s.real(h) ? 1 : -1;
    }
    for (size_t i = 0; i < npages; ++i)
        if (LineScan::iequal(item, pages[i].name)) {
            w = pages[i].w;
            h = pages[i].h;
            return 1;
        }
    return 0;
}

void PageDevice::initPage(const char* deflt) {
    inverse = false;
    width = 756;
    height = 576;
    x = y = 0;
    fixed = 0;
    icon = false;
    name[0] = 0;
    StrLib::copy(filename, sizeof filename, deflt);
    StrLib::copy(title, sizeof title, "HYX Plot");
    append = 0;
    fore_color = back_color = 0;
    clip.set(0, 0, 0, 0);
    base_width = 1.0f;
    line_bold = 1;
    line_color = 0;
    line_style = 1;
    line_width = 1.0f;
    text_color = 0;
    text_width = 1.0f;
    fill_color = 0;
    fill_style = 0;
    mark_color = 0;
    mark_width = 1.0f;
}

int PageDevice::open() {
    if (opened) return 1;
    failed = false;
    if (literal_name) {
        append = 0;
        if (!file.open(outputName(), "w")) {
            Hyx::outError("%s: cannot write %s: %s\n", device_name, outputName(), file.getError());
            return 0;
        }
        Hyx::outMessage("Creating: %s\n", outputName());
    } else if (!DeviceTool::openOutput(file, filename, pipes, append)) {
        Hyx::outError("%s: unable to output to file\n", device_name);
        return 0;
    }
    if (clip.width == 0 && clip.height == 0) clip.set(0, 0, width, height);
    writeHeader();
    if (failed) {
        file.discard();
        return 0;
    }
    opened = true;
    return 1;
}

int PageDevice::close() {
    if (!opened) return 0;
    writeTrailer();
    opened = false;
    if (failed) {
        file.discard();
        Hyx::outError("%s: cannot write %s: the picture could not be made\n", device_name,
                      outputName());
        return 0;
    }
    if (!file.close()) {
        Hyx::outError("%s: unable to write %s: %s\n", device_name, outputName(), file.getError());
        return 0;
    }
    return 1;
}

int PageDevice::discard() {
    if (!opened) return 0;
    opened = false;
    file.discard();
    Hyx::outMessage("Discarding: %s\n", outputName());
    return 1;
}

const char* PageDevice::outputName() const {
    return filename[0] == '+' || (filename[0] == '|' && pipes) ? filename + 1 : filename;
}

int PageDevice::getDevice(String& s) {
    s.clear();
    return 1;
}

int PageDevice::setTitle(const char* str) {
    StrLib::copy(title, sizeof title, str ? str : "");
    return 1;
}

int PageDevice::setSize(float w, float h) {
    width = w * 0.72f;
    height = h * 0.72f;
    return 1;
}

int PageDevice::getSize(float& w, float& h) {
    w = width;
    h = height;
    return 1;
}

int PageDevice::setOffset(float px, float py) {
    x = px * 0.72f;
    y = py * 0.72f;
    return 1;
}

int PageDevice::getOffset(float& px, float& py) {
    px = x;
    py = y;
    return 1;
}

int PageDevice::getCoords(Rect& r) {
    r = getCoords();
    return 1;
}

Rect PageDevice::getCoords() {
    Rect r;
    r.xmin = 0;
    r.ymin = height;
    r.xmax = width;
    r.ymax = 0;
    return r;
}

int PageDevice::allocColor(float r, float g, float b) { return DeviceTool::packColor(r, g, b); }

int* PageDevice::colorOf(int type) {
    switch (type) {
    case LINE:
        return &line_color;
    case MARK:
        return &mark_color;
    case FILL:
        return &fill_color;
    case TEXT:
        return &text_color;
    default:
        return nullptr;
    }
}

float* PageDevice::widthOf(int type) {
    switch (type) {
    case LINE:
        return &line_width;
    case MARK:
        return &mark_width;
    case TEXT:
        return &text_width;
    default:
        return nullptr;
    }
}

int PageDevice::setColor(int type, int ind) {
    int* field = colorOf(type);
    if (!field) return 0;
    *field = ind;
    return 1;
}

int PageDevice::setLineWidth(int type, float w) {
    float* field = widthOf(type);
    if (!field) return 0;
    *field = w;
    return 1;
}

int PageDevice::setLineStyle(int type, int style) {
    if (type != LINE) return 0;
    line_style = style;
    return 1;
}

int PageDevice::setFillStyle(int type, int style) {
    if (type != FILL) return 0;
    fill_style = style;
    return 1;
}

int PageDevice::getImage(Image& img) {
    img.init();
    return 1;
}

Rect PageDevice::getClip() {
    Rect r;
    r.xmin = clip.x;
    r.ymin = clip.y;
    r.xmax = clip.x + clip.width;
    r.ymax = clip.y + clip.height;
    return r;
}

} // namespace HYX
