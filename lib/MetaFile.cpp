// The vector metafile device.
#include "HYX/MetaFile.h"

#include "HYX/DateTool.h"
#include "HYX/DeviceTool.h"
#include "HYX/Image.h"
#include "HYX/LineScan.h"
#include "HYX/Point.h"
#include "HYX/Points.h"
#include "HYX/RGB.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace HYX {

namespace {

// Attribute record tags by kind (line, mark, fill, text); fills have no width.
const char* const COLOR_TAGS[] = {"LCLR", "MCLR", "FCLR", "TCLR"};
const char* const WIDTH_TAGS[] = {"LWID", "MWID", "", "TWID"};

} // namespace

int MetaFile::init() {
    initPage("meta.out");
    width = height = 1;
    title[0] = 0;
    line_color = text_color = fill_color = mark_color = WHITE;
    return 1;
}

// The file name is the second item; a first item names it too (the second wins), so that a
// device string such as "m,plot.meta" writes where it says.
int MetaFile::setParam(const char* param) {
    if (!param) return 0;
    const std::vector<std::string_view> items = LineScan::items(param);
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string_view it = items[i];
        if (it.empty()) continue;
        float w, h;
        if (LineScan::istartsWith(it, "sz")) {
            if (LineScan(LineScan::from(it, 3)).pair('x', w, h)) {
                width = w;
                height = h;
            }
        } else if (LineScan::istartsWith(it, "file=") || LineScan::istartsWith(it, "file:")) {
            // A name that merely begins with "file" is not a keyword.
            StrLib::copy(filename, sizeof filename, std::string(it.substr(5)).c_str());
        } else if (i <= 1) {
            StrLib::copy(filename, sizeof filename, std::string(it).c_str());
        }
    }
    return 1;
}

void MetaFile::writeHeader() {
    String now;
    DateTool::getCurrent(now);
    file.puts("HYXMETA2\n#Title: HYX Graphics Display\n#Creator: HYX MetaFile Processor-2.0\n");
    file.printf("#CreationDate: %s\n", now.get());
    file.puts("#Begin plot\n");
    file.printf("SZ %f %f\n", width, height);
    file.printf("#HYX Plot: %s\n", title);
}

void MetaFile::writeTrailer() { file.puts("#End of plot\n"); }

int MetaFile::setSize(float w, float h) {
    width = w;
    height = h;
    return 1;
}

int MetaFile::setOffset(float px, float py) {
    x = px;
    y = py;
    return 1;
}

Rect MetaFile::getCoords() { return Rect(0, 0, width, height); }

int MetaFile::setColor(int type, int ind) {
    int* field = colorOf(type);
    if (!field) return 0;
    if (*field == ind) return 1;
    *field = ind;
    if (opened) file.printf("%s %d\n", COLOR_TAGS[type - 1], ind);
    return 1;
}

int MetaFile::setLineWidth(int type, float w) {
    if (w <= 0) w = 1.0f;
    float* field = widthOf(type);
    if (!field) return 0;
    if (*field == w) return 1;
    *field = w;
    if (opened) file.printf("%s %.2f\n", WIDTH_TAGS[type - 1], w);
    return 1;
}

int MetaFile::setLineStyle(int type, int style) {
    if (type != LINE) return 0;
    if (line_style == style) return 1;
    line_style = style;
    if (opened) file.printf("LSTY %d\n", style);
    return 1;
}

int MetaFile::setFillStyle(int type, int style) {
    if (type != FILL) return 0;
    if (fill_style == style) return 1;
    fill_style = style;
    if (opened) file.printf("FSTY %d\n", style);
    return 1;
}

int MetaFile::drawLine(int, float x1, float y1, float x2, float y2) {
    file.printf("L 2 %f,%f %f,%f\n", x1, y1, x2, y2);
    return 1;
}

void MetaFile::outputPoints(char tag, const Points& pts) {
    const int n = pts.getNum();
    const float* px = pts.getX();
    const float* py = pts.getY();
    file.printf("%c %d ", tag, n);
    for (int i = 0; i < n; ++i) file.printf("%f,%f ", px[i], py[i]);
    file.puts("\n");
}

int MetaFile::drawLine(int, Points& pts) {
    if (pts.getNum() < 1) return 0;
    outputPoints('L', pts);
    return 1;
}

int MetaFile::drawFill(int, Points& pts) {
    if (pts.getNum() < 1) return 0;
    outputPoints('F', pts);
    return 1;
}

int MetaFile::setImageAlign(int h, int v) {
    file.printf("IALIGN %d %d\n", h, v);
    return 1;
}

int MetaFile::drawImage(Image& img, float px, float py) { return writeImage(img, -1, px, py); }

int MetaFile::drawImage(Image& img, int color, float px, float py) {
    return writeImage(img, color, px, py);
}

// "I width height x,y", then one line per image row of six hex digits (red, green, blue)
// per pixel. Transparent pixels (the given pixel value, or the image's own transparent
// colour when none is given) are written as "------".
int MetaFile::writeImage(Image& img, int trans, float px, float py) {
    const int w = img.getWidth(), h = img.getHeight();
    if (w <= 0 || h <= 0 || !img.validData()) return 0;
    file.printf("I %d %d %f,%f\n", w, h, px, py);
    std::string row;
    row.reserve(static_cast<size_t>(w) * 6 + 1);
    char hex[8];
    RGB c;
    for (int r = 0; r < h; ++r) {
        row.clear();
        for (int k = 0; k < w; ++k) {
            const bool clear = trans >= 0 ? img.getVal(k, r) == static_cast<uint32_t>(trans)
                                          : img.isPixelTrans(k, r);
            if (clear) {
                row += "------";
                continue;
            }
            img.getRGB(k, r, c);
            std::snprintf(hex, sizeof hex, "%02X%02X%02X", DeviceTool::toByte(c.red),
                          DeviceTool::toByte(c.grn), DeviceTool::toByte(c.blu));
            row += hex;
        }
        row += '\n';
        file.puts(row.c_str());
    }
    return 1;
}

int MetaFile::setFont(const char* spec) {
    file.printf("FONT %s\n", spec ? spec : "");
    return 1;
}

int MetaFile::setTextAlign(int h, int v) {
    file.printf("TALIGN %d %d\n", h, v);
    return 1;
}

int MetaFile::drawText(Point& pt, const char* str) {
    file.printf("T %f,%f %s\n", pt.x, pt.y, str ? str : "");
    return 1;
}

Rect MetaFile::getClip() { return Rect(clip.x, clip.y, clip.x + clip.width, clip.y + clip.height); }

int MetaFile::setClip(float x1, float y1, float x2, float y2) {
    clip.set(x1, y1, x2 - x1, y2 - y1);
    file.printf("CL %f %f %f %f\n", x1, y1, x2, y2);
    return 1;
}

int MetaFile::message(const char* str) {
    file.printf("#%s\n", str ? str : "");
    return 1;
}

} // namespace HYX
