// The HP-GL/2 pen-plotter device.
#include "HYX/Hpgl.h"

#include "HYX/LineScan.h"
#include "HYX/Points.h"
#include "HYX/StrLib.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

namespace HYX {

namespace {

// Plot areas in inches, width first (landscape); the plotter's D size is narrower than a
// printer's.
const PageDevice::PageSize PAGES[] = {{"letter", 10.5f, 8.0f}, {"legal", 13.5f, 8.0f},
                                      {"11x17", 16.5f, 10.5f}, {"a4", 11.2f, 7.8f},
                                      {"a3", 15.4f, 11.2f},    {"ansid", 30.0f, 21.5f}};

// Roll paper is this many inches high; its length is given.
constexpr float ROLL_HEIGHT = 23.0f;

// Line types of line styles 1 to 5: solid, then dash patterns in millimetres.
const char* const LINE_TYPES[] = {"LT;", "LT2,5,1;", "LT5,8,1;", "LT6,10,1;", "LT2,1,1;"};

// PCL: reset, enter HP-GL/2, landscape; and back to PCL, reset.
const char* const PCL_PROLOGUE = "\033E\033%1B\033&l1O\n";
const char* const PCL_EPILOGUE = "\033%0A\033E";

} // namespace

int Hpgl::init() {
    initPage("hyx.hpgl");
    pcl = PLAIN;
    color = 0;
    rotate = 0;
    scale = 1.0f;
    return 1;
}

int Hpgl::setParam(const char* param) {
    if (!param) return 0;
    const std::vector<std::string_view> items = LineScan::items(param);
    if (!items.empty() && !items[0].empty())
        StrLib::copy(filename, sizeof filename, std::string(items[0]).c_str());
    float pw = 0, ph = 0;
    for (size_t i = 1; i < items.size(); ++i) {
        const std::string_view it = items[i];
        float sw = pw, sh = ph;
        if (LineScan::iequal(it, "port")) {
            rotate = 90;
        } else if (LineScan::iequal(it, "land")) {
            rotate = 0;
        } else if (LineScan::iequal(it, "pcl")) {
            pcl = PCL;
        } else if (LineScan::iequal(it, "nopcl")) {
            pcl = PLAIN;
        } else if (LineScan::iequal(it, "lj")) {
            pcl = LASERJET;
        } else if (LineScan::iequal(it, "color")) {
            color = 1;
            inverse = true;
        } else if (LineScan::iequal(it, "gray")) {
            color = 0;
        } else if (LineScan::istartsWith(it, "scale")) {
            if (it.size() > 6) scale = LineScan::floatOf(it.substr(6));
        } else if (LineScan::istartsWith(it, "rot")) {
            if (it.size() > 4) rotate = LineScan::intOf(it.substr(4));
        } else if (LineScan::istartsWith(it, "lwidth")) {
            if (it.size() > 7) base_width = LineScan::floatOf(it.substr(7));
        } else if (LineScan::istartsWith(it, "roll")) {
            if (it.size() > 5) {
                pw = LineScan::floatOf(it.substr(5));
                ph = ROLL_HEIGHT;
            }
        } else if (paperOption(it, PAGES, std::size(PAGES), sw, sh) == 1) {
            // An unreadable size leaves the page as it was.
            pw = sw;
            ph = sh;
        }
    }
    if (pw > 0 && ph > 0) {
        width = pw * UNITS_PER_INCH;
        height = ph * UNITS_PER_INCH;
    }
    return 1;
}

// Appended pictures continue the page already set up in the file: they only restate the pen.
void Hpgl::writeHeader() {
    if (!append) {
        if (pcl != PLAIN) file.puts(PCL_PROLOGUE);
        file.puts("IN;SP1;PA;\n");
        if (pcl == LASERJET) file.puts("RO90;\n");
        if (rotate == 90 || rotate == 180 || rotate == 270) file.printf("RO%d;\n", rotate);
    }
    file.printf("PW%.1f;SV;LT;\n", base_width);
}

void Hpgl::writeTrailer() {
    if (append) return;
    file.puts("SP;PG;\n");
    if (pcl != PLAIN) file.puts(PCL_EPILOGUE);
}

// The pen is selected anew before every stroke ("SV;" without pattern: solid); the colour
// itself is not sent, since pens are loaded by the operator.
void Hpgl::outputAttr(int type) {
    switch (type) {
    case LINE:
        file.puts("SV;\n");
        file.printf("PW%.1f;\n", line_width * base_width * line_bold);
        if (line_style >= 1 && line_style <= 5) file.printf("%s\n", LINE_TYPES[line_style - 1]);
        break;
    case MARK:
    case TEXT:
        file.puts("SV;\nLT;\n");
        file.printf("PW%.1f;\n", (type == MARK ? mark_width : text_width) * base_width);
        break;
    default:
        break;
    }
}

void Hpgl::outputPath(const Points& pts) {
    const int n = pts.getNum();
    const float* px = pts.getX();
    const float* py = pts.getY();
    for (int i = 0; i < n; ++i) file.printf("%s%.0f,%.0f;", i ? "PD" : "PU", px[i], py[i]);
}

int Hpgl::drawLine(int type, float x1, float y1, float x2, float y2) {
    outputAttr(type);
    file.printf("PU%.0f,%.0f;PD%.0f,%.0f;\n", x1, y1, x2, y2);
    return 1;
}

int Hpgl::drawLine(int type, Points& pts) {
    if (pts.getNum() < 1) return 0;
    outputAttr(type);
    outputPath(pts);
    file.puts("\n");
    return 1;
}

// Polygon mode records the outline, which fill polygon then fills (closing it).
int Hpgl::drawFill(int type, Points& pts) {
    const int n = pts.getNum();
    if (n < 1) return 0;
    if (type == FILL) file.puts("SV;\n");
    const float* px = pts.getX();
    const float* py = pts.getY();
    file.printf("PU%.0f,%.0f;PM0;", px[0], py[0]);
    for (int i = 1; i < n; ++i) file.printf("PD%.0f,%.0f;", px[i], py[i]);
    file.puts("PM1;PM2;FP;\n");
    return 1;
}

int Hpgl::setClip(float x1, float y1, float x2, float y2) {
    clip.set(x1 - 0.1f, y1 - 0.1f, x2 - x1 + 0.2f, y2 - y1 + 0.2f);
    file.printf("IW %.0f,%.0f,%.0f,%.0f;\n", x1 - 0.1f, y1 - 0.1f, x2 + 0.1f, y2 + 0.1f);
    return 1;
}

// A comment cannot hold a double quote, which would end it.
int Hpgl::message(const char* str) {
    std::string text = str ? str : "";
    for (char& c : text)
        if (c == '"' || c == '\n') c = '\'';
    file.printf("CO\"%s\";\n", text.c_str());
    return 1;
}

} // namespace HYX
