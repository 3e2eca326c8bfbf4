// What a cross section shows under the pointer.
#include "HYX/SectionReadout.h"

#include "HYX/Calc.h"
#include "HYX/Const.h"
#include "HYX/StrLib.h"
#include "HYX/XSectionPlot.h"

#include <cmath>
#include <cstdio>

namespace HYX {

namespace {

constexpr float MISS = Const::FMISS;
constexpr float SNAP = 1e-4f; // relative distance in pressure within which a sample is hit

std::string format(const char* fmt, double a, double b = 0) {
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, a, b);
    return buf;
}

} // namespace

void SectionReadout::setFrame(const XSectionPlot& frame, bool is_time) {
    time = is_time;
    view = frame.getView();
    x0 = frame.getX(0.0f);
    x1000 = frame.getX(1000.0f);
    y1000 = frame.getY(1000.0f);
    y100 = frame.getY(100.0f);
    columns.clear();
    vars.clear();
}

void SectionReadout::addColumn(float dist, const std::string& name, float sfc) {
    columns.push_back({x0 + (x1000 - x0) * dist / 1000, dist, sfc, name});
    for (Variable& v : vars) v.columns.resize(columns.size());
}

int SectionReadout::addVariable(const char* name, const char* units, bool barb) {
    if (StrLib::iequal(name, "none")) return -1;
    Variable v;
    v.name = name ? name : "";
    v.units = units ? units : "";
    v.barb = barb;
    v.columns.resize(columns.size());
    vars.push_back(std::move(v));
    return static_cast<int>(vars.size()) - 1;
}

void SectionReadout::addSample(int k, int col, float p, float x, float y) {
    if (k < 0 || k >= static_cast<int>(vars.size()) || col < 0 ||
        col >= static_cast<int>(vars[k].columns.size()))
        return;
    vars[k].columns[col].push_back({p, x, y});
}

// The samples of one column at pressure p, linear in the logarithm of pressure between the
// two around it; none beyond the samples or next to a missing one.
bool SectionReadout::sampleAt(const std::vector<Sample>& col, float p, Sample& out) const {
    // On a sample (the pointer on a level of plotted values), that sample.
    for (const Sample& a : col) {
        if (std::fabs(a.p - p) > SNAP * a.p) continue;
        out = a;
        return a.x != MISS && a.y != MISS;
    }
    for (size_t i = 0; i + 1 < col.size(); ++i) {
        const Sample& a = col[i];
        const Sample& b = col[i + 1];
        if (!(a.p >= p && p >= b.p)) continue;
        if (a.x == MISS || b.x == MISS || a.y == MISS || b.y == MISS) return false;
        const double w = a.p == b.p ? 0 : std::log(a.p / p) / std::log(a.p / b.p);
        out = {p, static_cast<float>(a.x + (b.x - a.x) * w),
               static_cast<float>(a.y + (b.y - a.y) * w)};
        return true;
    }
    return false;
}

// Between the two columns around wx, linear in the plot's x; none outside the columns.
bool SectionReadout::valueAt(const Variable& v, float wx, float p, Sample& out) const {
    for (size_t j = 0; j < columns.size(); ++j) {
        const float xa = columns[j].x;
        if (wx == xa) return sampleAt(v.columns[j], p, out);
        if (j + 1 == columns.size()) break;
        const float xb = columns[j + 1].x;
        if (!(xa < wx && wx <= xb)) continue;
        Sample a, b;
        if (!sampleAt(v.columns[j], p, a) || !sampleAt(v.columns[j + 1], p, b)) return false;
        const float w = (wx - xa) / (xb - xa);
        out = {p, a.x + (b.x - a.x) * w, a.y + (b.y - a.y) * w};
        return true;
    }
    return false;
}

// Under the surface line as drawn: straight between the surfaces of neighbouring columns.
bool SectionReadout::belowGround(float wx, float wy) const {
    const auto y = [this](float p) {
        return y1000 + (y100 - y1000) * std::log(1000 / p) / std::log(10.0f);
    };
    for (size_t j = 0; j + 1 < columns.size(); ++j) {
        const Column& a = columns[j];
        const Column& b = columns[j + 1];
        if (!(a.x <= wx && wx <= b.x) || !(a.sfc > 0) || !(b.sfc > 0)) continue;
        const float w = b.x == a.x ? 0 : (wx - a.x) / (b.x - a.x);
        return wy < y(a.sfc) + (y(b.sfc) - y(a.sfc)) * w;
    }
    return false;
}

// The distance along the section and the nearest station, or the nearest time.
std::string SectionReadout::place(float wx, float p) const {
    std::string out = format("Pres: %.1f mb", p);
    if (columns.empty()) return out;
    size_t near = 0;
    for (size_t j = 1; j < columns.size(); ++j)
        if (std::fabs(columns[j].x - wx) < std::fabs(columns[near].x - wx)) near = j;
    const Column& c = columns[near];
    if (time) return out + "  Time: " + c.name;
    const float dist = x1000 == x0 ? c.dist : 1000 * (wx - x0) / (x1000 - x0);
    return out + format("  Dist: %.0f km", dist) + "  Nearest: " + c.name +
           format(" (%.0f km)", std::fabs(dist - c.dist));
}

std::string SectionReadout::describe(const Variable& v, const Sample& s) {
    const std::string head = "  " + v.name + ": ", units = v.units.empty() ? "" : " " + v.units;
    if (!v.barb) {
        // Small quantities (a frequency in 1/s) keep three digits.
        const bool small = s.x != 0 && std::fabs(s.x) < 0.1f;
        return head + format(small ? "%.3g" : "%.1f", s.x) + units + "\n";
    }
    if (StrLib::iequal(v.name.c_str(), "sbarb"))
        return head + format("along %.1f across %.1f", s.x, s.y) + units + "\n";
    const long dir = std::lround(Calc::windDir(s.x, s.y));
    return head + format("%03.0f/%.0f", dir > 0 ? dir : 360, Calc::windSpd(s.x, s.y)) + units +
           "\n";
}

std::string SectionReadout::describe(float wx, float wy) const {
    if (!(wx >= view.xmin && wx <= view.xmax && wy >= view.ymin && wy <= view.ymax))
        return "Outside the section frame\n";
    const float p = 1000 * std::pow(10.0f, -(wy - y1000) / (y100 - y1000));
    if (belowGround(wx, wy)) return place(wx, p) + "  below ground\n";
    std::string out = place(wx, p) + "\n";
    for (const Variable& v : vars) {
        Sample s;
        out += valueAt(v, wx, p, s) ? describe(v, s) : "  " + v.name + ": no value\n";
    }
    return out;
}

} // namespace HYX
