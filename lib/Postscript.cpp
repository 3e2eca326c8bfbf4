// The PostScript device.
#include "HYX/Postscript.h"

#include "HYX/DateTool.h"
#include "HYX/DeviceTool.h"
#include "HYX/FixedText.h"
#include "HYX/Image.h"
#include "HYX/LineScan.h"
#include "HYX/Points.h"
#include "HYX/RGB.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

namespace HYX {

namespace {

// Dash patterns of line styles 1 to 5.
const char* const DASHES[] = {"[] 0 setdash\n", "[6] 0 setdash\n", "[3 6] 0 setdash\n",
                              "[6 6 3 6] 0 setdash\n", "[2] 0 setdash\n"};

int greyByte(const RGB& c) {
    const float r = c.red > 0 ? c.red : 0, g = c.grn > 0 ? c.grn : 0, b = c.blu > 0 ? c.blu : 0;
    const int v = static_cast<int>(255 * (0.9f * r + g + 0.8f * b) / 2.7f);
    return v > 255 ? 255 : v;
}

// Appends numbers with two decimals, blank-separated, and a word to a line ("%3.2f ... %s\n").
class Line {
public:
    Line& num(float v, int decimals = 2) {
        len += FixedText::put(text + len, v, decimals);
        text[len++] = ' ';
        return *this;
    }
    const char* end(const char* word) {
        const size_t n = std::strlen(word);
        if (n < sizeof text - len - 2) {
            std::memcpy(text + len, word, n);
            len += static_cast<int>(n);
        }
        text[len++] = '\n';
        text[len] = 0;
        return text;
    }

private:
    char text[4 * FixedText::SIZE + 32];
    int len = 0;
};

// A comment line counting the points of the path that follows ("%%PL:5").
void countLine(std::string& out, const char* tag, int n) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    out.append(tag).append(digits, end).append("\n");
}

} // namespace

int Postscript::init() {
    initPage("hyx.ps");
    eps = 0;
    color = 0;
    orient = 0;
    scale = 1.0f;
    return 1;
}

int Postscript::setParam(const char* param) {
    if (!param) return 0;
    const std::vector<std::string_view> items = LineScan::items(param);
    if (!items.empty() && !items[0].empty())
        StrLib::copy(filename, sizeof filename, std::string(items[0]).c_str());
    float pw = 0, ph = 0;
    for (size_t i = 1; i < items.size(); ++i) {
        const std::string_view it = items[i];
        if (LineScan::iequal(it, "port")) {
            orient = 1;
        } else if (LineScan::iequal(it, "land")) {
            orient = 0;
        } else if (LineScan::iequal(it, "eps")) {
            eps = 1;
        } else if (LineScan::iequal(it, "noeps")) {
            eps = 0;
        } else if (LineScan::iequal(it, "color")) {
            color = 1;
            inverse = true;
        } else if (LineScan::iequal(it, "gray")) {
            color = 0;
        } else if (LineScan::istartsWith(it, "scale")) {
            if (it.size() > 6) scale = LineScan::floatOf(it.substr(6));
        } else if (LineScan::istartsWith(it, "lwidth")) {
            if (it.size() > 7) base_width = LineScan::floatOf(it.substr(7));
        } else if (paperOption(it, PAGE_SIZES, std::size(PAGE_SIZES), pw, ph) < 0) {
            pw = ph = 0;
        }
    }
    if (pw > 0 && ph > 0) {
        width = pw * POINTS_PER_INCH;
        height = ph * POINTS_PER_INCH;
    }
    return 1;
}

void Postscript::writeHeader() {
    if (eps) {
        file.puts("%!PS-Adobe-3.0 EPSF-3.0\n");
        file.puts(orient == 1 ? "%%BoundingBox: 0 0 756 576\n" : "%%BoundingBox: 0 0 576 756\n");
    } else {
        file.puts("%!PS-Adobe-1.0\n");
    }
    file.printf("%%%%Title: HYX Graphics Display: %s\n", title);
    file.puts("%%Creator: HYX Postscript Processor-5.5\n");
    String now;
    DateTool::getCurrent(now);
    file.printf("%%%%CreationDate: %s\n", now.get());
    file.puts("%%EndComments\n");
    file.puts("%%Postscript initialization\n");
    if (!eps) file.puts("30 dict begin\n/saveobj save def\n");
    file.puts("/inch {72 mul} def\n/dot {.33 mul} def\n/mv {moveto} def\n/ln {lineto} def\n"
              "/lw {setlinewidth} def\n/np {newpath} def\n/cp {closepath} def\n");
    if (orient == 0) {
        file.puts("90 rotate\n");
        file.puts(eps ? "0. inch -8.5 inch translate\n" : ".25 inch -8.25 inch translate\n");
    } else if (!eps) {
        file.puts(".25 inch .25 inch translate\n");
    }
    file.puts(color ? "0 0 0 setrgbcolor\n" : "0 setgray\n");
    file.puts("2 setlinejoin\n1 dot lw\n[] 0 setdash\n");
    if (scale != 1.0f) file.printf("%.2f %.2f scale\n", scale, scale);
    file.puts("%%Begin plot\n");
    file.printf("%%%%HYX Plot: %s\n", title);
}

void Postscript::writeTrailer() {
    file.puts("%%End of plot\n");
    if (append) return;
    if (!eps) file.puts("saveobj restore\n");
    file.puts("showpage\n");
    if (!eps) file.puts("end\n");
    file.puts("%%EOF\n");
}

int Postscript::setLineWidth(int type, float w) {
    return PageDevice::setLineWidth(type, w == 0 ? 1.0f : w);
}

void Postscript::outputColor(int value, std::string& out) const {
    const unsigned int v = static_cast<unsigned int>(value);
    const float r = ((v >> 16) & 0xFFu) / 255.0f;
    const float g = ((v >> 8) & 0xFFu) / 255.0f;
    const float b = (v & 0xFFu) / 255.0f;
    if (color)
        out += Line().num(r).num(g).num(b).end("setrgbcolor");
    else
        out += Line().num((0.9f * r + g + 0.8f * b) / 2.7f).end("setgray");
}

void Postscript::outputAttr(int type, std::string& out) const {
    int value = 0, style = 0;
    float lw = 0.0f;
    switch (type) {
    case LINE:
        value = line_color;
        lw = line_width * base_width * line_bold;
        style = line_style;
        break;
    case MARK:
        value = mark_color;
        lw = mark_width * base_width;
        break;
    case TEXT:
        value = text_color;
        lw = text_width * base_width;
        break;
    default:
        return;
    }
    Attrs& a = last[type];
    if (!a.set || a.color != value || a.width != lw || a.style != style || a.rgb != color) {
        a.text.clear();
        outputColor(value, a.text);
        if (type != LINE) a.text += "[] 0 setdash\n";
        a.text += Line().num(lw, 1).end("dot lw");
        if (type == LINE && style >= 1 && style <= 5) a.text += DASHES[style - 1];
        a.set = true;
        a.color = value;
        a.width = lw;
        a.style = style;
        a.rgb = color;
    }
    out += a.text;
}

void Postscript::outputPath(const Points& pts, std::string& out) {
    out += "np\n";
    const int n = pts.getNum();
    const float* px = pts.getX();
    const float* py = pts.getY();
    for (int i = 0; i < n; ++i) out += Line().num(px[i]).num(py[i]).end(i ? "ln" : "mv");
}

int Postscript::drawLine(int type, float x1, float y1, float x2, float y2) {
    std::string& out = primitive();
    out += "%%PL:2\n";
    outputAttr(type, out);
    out += "np\n";
    out += Line().num(x1).num(y1).end("mv");
    out += Line().num(x2).num(y2).end("ln");
    out += "stroke\n";
    file.puts(out.c_str());
    return 1;
}

int Postscript::drawLine(int type, Points& pts) {
    if (pts.getNum() < 1) return 0;
    std::string& out = primitive();
    countLine(out, "%%PL:", pts.getNum());
    outputAttr(type, out);
    outputPath(pts, out);
    out += "stroke\n";
    file.puts(out.c_str());
    return 1;
}

int Postscript::drawFill(int type, Points& pts) {
    if (pts.getNum() < 1) return 0;
    std::string& out = primitive();
    countLine(out, "%%FA:", pts.getNum());
    if (type == FILL) outputColor(fill_color, out);
    outputPath(pts, out);
    out += "cp\nfill\n";
    file.puts(out.c_str());
    return 1;
}

int Postscript::setClip(float x1, float y1, float x2, float y2) {
    clip.set(x1 - 0.1f, y1 - 0.1f, x2 - x1 + 0.2f, y2 - y1 + 0.2f);
    file.puts("initclip\nnp\n");
    file.puts(Line().num(x1 - 0.1f).num(y1 - 0.1f).end("mv"));
    file.puts(Line().num(x1 - 0.1f).num(y2 + 0.1f).end("ln"));
    file.puts(Line().num(x2 + 0.1f).num(y2 + 0.1f).end("ln"));
    file.puts(Line().num(x2 + 0.1f).num(y1 - 0.1f).end("ln"));
    file.puts("cp\nclip\n");
    return 1;
}

// The image fills the clip rectangle at one sample per point, image pixel
// (trunc(px), trunc(py)) first; whatever the image does not cover is white.
int Postscript::drawImage(Image& img, float px, float py) {
    if (img.getWidth() <= 0 || img.getHeight() <= 0 || !img.validData()) return 0;
    const int cx = static_cast<int>(clip.x), cy = static_cast<int>(clip.y);
    const int cw = static_cast<int>(clip.width), ch = static_cast<int>(clip.height);
    if (cw <= 0 || ch <= 0) return 0;
    file.puts("gsave\n");
    file.printf("%d %d translate\n", cx, cy);
    file.printf("%d %d scale\n", cw, ch);
    file.printf("/picstr %d string def\n", cw);
    file.printf("%d %d 8 [ %d 0 0 %d 0 %d ]\n", cw, ch, cw, -ch, ch);
    file.puts("{ currentfile picstr readhexstring pop }\n");
    file.puts(color ? "false 3 colorimage\n" : "image\n");
    const int ix = static_cast<int>(px), iy = static_cast<int>(py);
    const int iw = img.getWidth(), ih = img.getHeight();
    std::string row;
    row.reserve(static_cast<size_t>(cw) * 6 + cw / 80 + 2);
    char hex[8];
    RGB c;
    for (int r = 0; r < ch; ++r) {
        row.clear();
        const int sy = iy + r;
        for (int k = 0; k < cw; ++k) {
            const int sx = ix + k;
            const bool inside = sy >= 0 && sy < ih && sx >= 0 && sx < iw;
            if (inside) img.getRGB(sx, sy, c);
            if (color) {
                if (inside)
                    std::snprintf(hex, sizeof hex, "%02X%02X%02X", DeviceTool::toByte(c.red),
                                  DeviceTool::toByte(c.grn), DeviceTool::toByte(c.blu));
                row += inside ? hex : "FFFFFF";
            } else {
                if (inside) std::snprintf(hex, sizeof hex, "%02X", greyByte(c));
                row += inside ? hex : "FF";
            }
            if (k % 80 == 79 && k != cw - 1) row += '\n';
        }
        row += '\n';
        file.puts(row.c_str());
    }
    file.puts("grestore\n");
    return 1;
}

int Postscript::message(const char* str) {
    file.printf("%%%% %s\n", str ? str : "");
    return 1;
}

} // namespace HYX
