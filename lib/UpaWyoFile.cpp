// University of Wyoming TEXT:LIST sounding pages.
#include "HYX/UpaWyoFile.h"

#include "HYX/Convert.h"
#include "HYX/DateTool.h"
#include "HYX/LineScan.h"
#include "HYX/StrLib.h"
#include "HYX/UpaData.h"

#include <cctype>
#include <string>

namespace HYX {

namespace {

constexpr std::string_view TITLE = " Observations at ";

bool allDigits(std::string_view w) {
    if (w.empty()) return false;
    for (char c : w)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

// "181222/1200": year, month, day / hour and minute.
bool readObsTime(std::string_view w, Date& d) {
    if (w.size() != 11 || w[6] != '/' || !allDigits(w.substr(0, 6)) || !allDigits(w.substr(7)))
        return false;
    auto num = [&](size_t at) { return (w[at] - '0') * 10 + (w[at + 1] - '0'); };
    const int yy = num(0);
    Date t(yy < 50 ? 2000 + yy : 1900 + yy, num(2), num(4), num(7), num(9), 0);
    if (!t.isSet() || t.getMonth() != num(2) || t.getDay() != num(4)) return false;
    d = t;
    return true;
}

} // namespace

std::string UpaWyoFile::stripTags(std::string_view line) {
    std::string out;
    bool tag = false;
    for (char c : line) {
        if (c == '<')
            tag = true;
        else if (c == '>' && tag)
            tag = false;
        else if (!tag)
            out += c;
    }
    return out;
}

bool UpaWyoFile::readTitle(std::string_view text, UpaData& out) {
    const size_t at = text.find(TITLE);
    if (at == std::string_view::npos) return false;
    LineScan who(text.substr(0, at)), when(text.substr(at + TITLE.size()));
    // The time: "00Z 18 May 1980".
    const std::string_view hz = when.word();
    long hour, day, year;
    if (hz.size() < 2 || hz.back() != 'Z' || !LineScan::toInt(hz.substr(0, hz.size() - 1), hour) ||
        !LineScan::toInt(when.word(), day))
        return false;
    const std::string mon(when.word());
    const int month = DateTool::decodeMonth(mon.c_str());
    if (month == Const::MISS || month < 1 || !LineScan::toInt(when.word(), year)) return false;
    Date d(static_cast<int>(year), month, static_cast<int>(day), static_cast<int>(hour), 0, 0);
    if (!d.isSet() || d.getDay() != day || hour > 23 || hour < 0) return false;
    // The station: "72681 BOI Boise", "2963" or "BOI Boise".
    std::string_view w = who.word();
    if (allDigits(w) && w.size() <= 5) {
        long wmo;
        LineScan::toInt(w, wmo);
        out.setWmo(static_cast<int>(wmo));
        w = who.word();
    }
    bool id = !w.empty() && w.size() <= 5;
    for (char c : w) id = id && std::isalnum(static_cast<unsigned char>(c));
    if (id) out.setId(std::string(w).c_str());
    out.setDate(d);
    return true;
}

void UpaWyoFile::readHeader(std::string_view text) {
    cols.clear();
    LineScan s(text);
    size_t prev = 0;
    for (std::string_view w = s.word(); !w.empty(); w = s.word()) {
        cols.push_back({std::string(w), prev, s.getPos()});
        prev = s.getPos();
    }
}

float UpaWyoFile::cell(std::string_view text, const char* col, bool& bad) const {
    for (const Column& c : cols) {
        if (c.name != col) continue;
        const std::string_view v = LineScan::column(text, c.start, c.end);
        float f = Const::FMISS;
        if (!v.empty() && !LineScan::toNumber(v, f)) bad = true;
        return f;
    }
    return Const::FMISS;
}

void UpaWyoFile::readRow(std::string_view text, UpaData& out) {
    bool bad = false;
    UpaLevel lev(cell(text, "PRES", bad), cell(text, "HGHT", bad), cell(text, "TEMP", bad),
                 cell(text, "DWPT", bad), cell(text, "DRCT", bad), cell(text, "SKNT", bad));
    if (lev.spd == Const::FMISS) lev.spd = Convert::MPStoKT(cell(text, "SPED", bad));
    if (bad || !(lev.p > 0 && lev.p < 1100)) {
        warn(getLine(), "not a row of the table", std::string(text));
        return;
    }
    if (lev.dir != Const::FMISS && (lev.dir < 0 || lev.dir > 360)) lev.dir = lev.spd = Const::FMISS;
    const int k = addLevel(out, lev);
    // Rows under ground carry only a height; the surface is the first with a temperature.
    if (k >= 0 && !out.isSfc() && lev.t != Const::FMISS) out.setSfc(k);
}

void UpaWyoFile::readInfo(std::string_view text, UpaData& out) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos) return;
    const std::string_view key = LineScan::trim(text.substr(0, colon));
    const std::string_view val = LineScan::trim(text.substr(colon + 1));
    float v;
    long n;
    if (key == "Station identifier" && !val.empty() && val.size() <= 10) {
        out.setId(std::string(val).c_str());
    } else if (key == "Station number" && LineScan::toInt(val, n) && n > 0 && n < 100000) {
        out.setWmo(static_cast<int>(n));
    } else if (key == "Observation time") {
        Date d;
        if (readObsTime(val, d)) out.setDate(d);
    } else if (key == "Station latitude" && LineScan::toNumber(val, v) && v >= -90 && v <= 90) {
        out.setLoc(v, out.getLon());
    } else if (key == "Station longitude" && LineScan::toNumber(val, v) && v >= -180 && v <= 360) {
        out.setLoc(out.getLat(), v);
    } else if (key == "Station elevation" && LineScan::toNumber(val, v) && v > -500 && v < 9000) {
        out.setElev(v);
    }
}

int UpaWyoFile::read(UpaData& out) {
    out.init();
    beginSounding();
    bool have = false;
    inTable = false;
    std::string_view raw;
    while (nextLine(raw)) {
        const std::string text = stripTags(raw);
        if (text.find(TITLE) != std::string::npos) {
            if (have) {
                unread();
                return 1;
            }
            if (text.find("Can't get") != std::string::npos) {
                skip(std::string(LineScan::trim(text)));
                continue;
            }
            UpaData head;
            if (!readTitle(text, head)) {
                warn(getLine(), "not a title line", text);
                continue;
            }
            out.init();
            out.setId(head.getId());
            out.setWmo(head.getWmo());
            out.setDate(head.getDate());
            have = true;
            cols.clear();
            continue;
        }
        if (!have) continue;
        const std::string_view t = LineScan::trim(text);
        if (t.empty()) {
            inTable = false;
            continue;
        }
        if (t.compare(0, 4, "PRES") == 0 && t.find("HGHT") != std::string_view::npos) {
            readHeader(text);
            inTable = false;
            continue;
        }
        if (t.find_first_not_of('-') == std::string_view::npos) {
            // The dashes around the column units; rows follow the second one.
            inTable = !cols.empty() && !inTable;
            continue;
        }
        if (t.find("Station information") != std::string_view::npos) {
            inTable = false;
            cols.clear();
            continue;
        }
        if (inTable)
            readRow(text, out);
        else if (cols.empty())
            readInfo(text, out);
    }
    return have ? 1 : -1;
}

} // namespace HYX
