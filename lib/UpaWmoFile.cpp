// Bulletins of coded upper-air reports, one report part at a time.
#include "HYX/UpaWmoFile.h"

#include "HYX/CityTool.h"
#include "HYX/StrLib.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

namespace HYX {

namespace {

constexpr char SOH = 0x01;
constexpr char ETX = 0x03;

bool allOf(const std::string& w, size_t n, int (*is)(int)) {
    if (w.size() != n) return false;
    for (char c : w)
        if (!is(static_cast<unsigned char>(c))) return false;
    return true;
}

// "USUS50 KWBC 130000": data type and area with a number, the issuing centre, day and time.
bool isHeading(const std::vector<std::string>& w) {
    if (w.size() < 3 || w[0].size() != 6) return false;
    for (size_t i = 0; i < 6; ++i) {
        const int c = static_cast<unsigned char>(w[0][i]);
        if (i < 4 ? !std::isupper(c) : !std::isdigit(c)) return false;
    }
    return allOf(w[1], 4, std::isupper) && allOf(w[2], 6, std::isdigit);
}

// A level group of parts B and D: level number 00, 11 ... 99 and the pressure.
bool isLevelGroup(const std::string& w) {
    if (w.size() != 5 || !std::isdigit(static_cast<unsigned char>(w[0])) ||
        !std::isdigit(static_cast<unsigned char>(w[1])))
        return false;
    return ((w[0] - '0') * 10 + (w[1] - '0')) % 11 == 0;
}

bool isPartBD(int type) {
    return type == 2 || type == 4 || type == 10 || type == 12 || type == 14 || type == 16;
}

} // namespace

int UpaWmoFile::getPartType(const char* word) {
    static const struct {
        const char* name;
        int type;
    } PARTS[] = {{"TTAA", 1},  {"TTBB", 2},  {"TTCC", 3},  {"TTDD", 4},  {"PPAA", 5},
                 {"PPBB", 6},  {"PPCC", 7},  {"PPDD", 8},  {"UUAA", 9},  {"UUBB", 10},
                 {"UUCC", 11}, {"UUDD", 12}, {"IIAA", 13}, {"IIBB", 14}, {"IICC", 15},
                 {"IIDD", 16}, {"QQBB", 17}, {"EEBB", 17}, {"QQDD", 18}, {"EEDD", 18}};
    for (const auto& p : PARTS)
        if (StrLib::equal(word, p.name)) return p.type;
    return 0;
}

int UpaWmoFile::open(const char* name) {
    close();
    if (!name) return 0;
    if (StrLib::equal(name, "-")) {
        in = &std::cin;
        return 1;
    }
    auto f = std::make_unique<std::ifstream>(name, std::ios::binary);
    if (!*f) return 0;
    owned = std::move(f);
    in = owned.get();
    return 1;
}

void UpaWmoFile::setText(const char* text) {
    close();
    owned = std::make_unique<std::istringstream>(text ? text : "");
    in = owned.get();
}

void UpaWmoFile::close() {
    owned.reset();
    in = nullptr;
    inReport = false;
    words.clear();
    pending.clear();
}

int UpaWmoFile::read(UpaWmoData& rep) {
    std::string line;
    while (pending.empty() && in) {
        if (std::getline(*in, line)) {
            addLine(line);
        } else {
            finish();
            in = nullptr;
        }
    }
    if (pending.empty()) return -1;
    rep = pending.front().first;
    piece = pending.front().second;
    pending.pop_front();
    return 1;
}

void UpaWmoFile::addLine(const std::string& line) {
    // Words, with the bulletin framing and "=" as report ends in their places.
    std::vector<std::string> w;
    std::string cur;
    auto flush = [&]() {
        if (!cur.empty()) w.push_back(cur);
        cur.clear();
    };
    for (char c : line) {
        if (c == SOH || c == ETX || c == '=') {
            flush();
            w.push_back(std::string(1, c));
        } else if (static_cast<unsigned char>(c) <= ' ') {
            flush();
        } else {
            cur += c;
        }
    }
    flush();
    if (w.empty() || w[0][0] == '#') {
        finish();
        return;
    }
    size_t i = 0;
    if (isHeading(w)) {
        finish();
        i = 3;
        if (i < w.size() && allOf(w[i], 3, std::isupper)) ++i; // RRA, CCA ...: delayed, corrected
    }
    for (; i < w.size(); ++i) addWord(w[i]);
}

void UpaWmoFile::addWord(const std::string& w) {
    if (w == "=" || w[0] == SOH || w[0] == ETX || w == "NNNN") {
        finish();
        return;
    }
    const int t = getPartType(w.c_str());
    // A ship part may repeat its identifier before the call sign.
    if (t && !(inReport && words.empty() && t == type)) {
        finish();
        inReport = true;
        type = t;
        return;
    }
    if (inReport && static_cast<int>(words.size()) < max_words) words.push_back(w);
}

void UpaWmoFile::finish() {
    const bool had = inReport;
    inReport = false;
    if (!had || words.empty()) {
        words.clear();
        return;
    }
    for (size_t i = 0; i < words.size() && i < 3; ++i)
        if (words[i] == "NIL") {
            words.clear();
            return;
        }

    // Identification: land stations give the day-hour group and the station number; ships
    // and mobile stations the call sign first (after a repeated part identifier) and then,
    // after the day-hour group, two position groups, the Marsden square and, for mobile
    // stations, the elevation.
    UpaWmoData rep;
    rep.setType(type);
    const bool ship = type >= 9 && type <= 12, mobile = type >= 13;
    int head = 2, dayHour = 0;
    if (ship || mobile) {
        const int k0 = getPartType(words[0].c_str()) ? 1 : 0;
        if (k0 < static_cast<int>(words.size())) rep.setId(words[k0].c_str());
        rep.setWmo("99999");
        dayHour = k0 + 1;
        head = k0 + (mobile ? 6 : 5);
    } else if (words.size() > 1 && allOf(words[1], 5, std::isdigit)) {
        rep.setWmo(words[1].c_str());
        char id[CityTool::id_size];
        CityTool::toId(std::atol(words[1].c_str()), id);
        rep.setId(id);
    }
    Date d = base;
    if (dayHour < static_cast<int>(words.size()) && words[dayHour].size() == 5) {
        const std::string& g = words[dayHour];
        if (allOf(g.substr(0, 4), 4, std::isdigit)) {
            const int day = std::atoi(g.substr(0, 2).c_str()) % 50;
            const int hour = std::atoi(g.substr(2, 2).c_str()) % 50;
            if (day >= 1 && day <= 31) d.setDay(day);
            if (hour <= 23) d.setHour(hour);
        }
    }
    rep.setDate(d);

    const int n = static_cast<int>(words.size());
    int len = 0;
    for (const std::string& w : words) len += static_cast<int>(w.size()) + 1;
    if (len < UpaWmoData::max_data || !isPartBD(type) || head >= n) {
        emit(rep, n, n, n, 0);
    } else {
        // The level pairs, and the wind pairs of section 21212 after them, shared out over
        // several reports with the same identification.
        int hlen = 0;
        for (int i = 0; i < head; ++i) hlen += static_cast<int>(words[i].size()) + 1;
        int share = 0;
        auto shareOut = [&](int first, int end, const char* prefix) {
            const int plen = prefix ? static_cast<int>(std::strlen(prefix)) + 1 : 0;
            while (first < end) {
                int last = first, l = hlen + plen, pairs = 0;
                while (last < end && pairs < 100) {
                    const int add =
                        static_cast<int>(words[last].size() + words[last + 1].size()) + 2;
                    if (l + add >= UpaWmoData::max_data) break;
                    l += add;
                    last += 2;
                    ++pairs;
                }
                if (last == first) break; // a pair longer than a report can hold
                emit(rep, head, first, last, share++, prefix);
                first = last;
            }
        };
        int end = head;
        while (end + 1 < n && isLevelGroup(words[end])) end += 2;
        shareOut(head, end, nullptr);
        if (end < n && words[end] == "21212") {
            int wend = end + 1;
            while (wend + 1 < n && isLevelGroup(words[wend])) wend += 2;
            shareOut(end + 1, wend, "21212");
        }
    }
    words.clear();
}

void UpaWmoFile::emit(const UpaWmoData& rep, int head, int first, int last, int share,
                      const char* prefix) {
    std::string text;
    for (int i = 0; i < head; ++i) text += words[i] + ' ';
    if (prefix) text += std::string(prefix) + ' ';
    for (int i = first; i < last; ++i) text += words[i] + ' ';
    pending.emplace_back(rep, share);
    pending.back().first.setData(text.c_str());
}

} // namespace HYX
