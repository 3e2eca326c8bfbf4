// Group-by-group reading of coded upper-air reports and the conversions of their codes.
#include "HYX/UpaWmoScan.h"

#include "HYX/Const.h"
#include "HYX/Convert.h"

#include <cmath>
#include <cstring>

namespace HYX {

namespace {

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool digit(char c) { return c >= '0' && c <= '9'; }

int skipBlanks(const char* s, int i) {
    while (blank(s[i])) ++i;
    return i;
}

// The speed digits fff of a wind group cannot reach this (500 added marks directions
// ending in 5); a larger value is another group in a wind group's place.
constexpr int MAX_FFF = 250;

} // namespace

UpaWmoScan::UpaWmoScan(const char* t) : text(t ? t : "") {}

int UpaWmoScan::match(const char* pattern) const {
    const int start = skipBlanks(text, pos);
    const int n = static_cast<int>(std::strlen(pattern));
    for (int k = 0; k < n; ++k) {
        const char c = text[start + k], p = pattern[k];
        // A terminating zero fails every pattern character, so the loop stops in time.
        const bool ok = p == 'd' ? digit(c) : p == 'x' ? digit(c) || c == '/' : c == p && c;
        if (!ok) return -1;
    }
    if (!blank(text[start + n])) return -1;
    return start;
}

bool UpaWmoScan::peek(const char* pattern) {
    const int start = match(pattern);
    if (start < 0) return false;
    glen = static_cast<int>(std::strlen(pattern));
    if (glen >= static_cast<int>(sizeof grp)) glen = sizeof grp - 1;
    std::memcpy(grp, text + start, glen);
    grp[glen] = 0;
    next = skipBlanks(text, start + glen);
    return true;
}

bool UpaWmoScan::take(const char* pattern) {
    if (!peek(pattern)) return false;
    skip();
    return true;
}

void UpaWmoScan::skip() {
    if (next > pos) pos = next;
}

bool UpaWmoScan::takeWord(int maxlen, int minmatch, char* word) {
    const int start = skipBlanks(text, pos);
    int len = 0;
    while (text[start + len] && !blank(text[start + len]))
        if (++len > maxlen) return false;
    if (len == 0 || !blank(text[start + len])) return false;
    const int end = skipBlanks(text, start + len);
    if (end - start < minmatch) return false;
    std::memcpy(word, text + start, len);
    word[len] = 0;
    glen = len < static_cast<int>(sizeof grp) ? len : sizeof grp - 1;
    std::memcpy(grp, word, glen);
    grp[glen] = 0;
    pos = next = end;
    return true;
}

bool UpaWmoScan::isWord(const char* t) const {
    const int start = skipBlanks(text, pos);
    const int n = static_cast<int>(std::strlen(t));
    return std::strncmp(text + start, t, n) == 0 &&
           (text[start + n] == 0 || blank(text[start + n]));
}

bool UpaWmoScan::hasWord(const char* t, int n) const {
    UpaWmoScan s(text + pos);
    for (int i = 0; i < n; ++i) {
        if (s.isWord(t)) return true;
        int k = skipBlanks(s.text, s.pos);
        if (!s.text[k]) break;
        while (s.text[k] && !blank(s.text[k])) ++k;
        s.pos = k;
    }
    return false;
}

int UpaWmoScan::field(int p, int len) const {
    if (p < 0 || len <= 0 || p + len > glen) return Const::MISS;
    int v = 0;
    for (int k = p; k < p + len; ++k) {
        if (!digit(grp[k])) return Const::MISS;
        v = v * 10 + (grp[k] - '0');
    }
    return v;
}

bool UpaWmoScan::isStdSurface(int p) { return stdHeight(p, 0) != Const::FMISS; }

float UpaWmoScan::stdHeight(int p, int hhh) {
    // The code keeps the last three digits of the height: metres up to 700 hPa, decametres
    // above. The thousands come from the surface and, where two are possible, from hhh:
    // height = scale x hhh + (hhh <= 500 ? low : high).
    static const struct {
        int p, scale, low, high;
    } SURFACES[] = {{925, 1, 0, 0},          {850, 1, 1000, 1000},    {700, 1, 3000, 2000},
                    {500, 10, 0, 0},         {400, 10, 0, 0},         {300, 10, 10000, 0},
                    {250, 10, 10000, 0},     {200, 10, 10000, 10000}, {150, 10, 10000, 10000},
                    {100, 10, 10000, 10000}, {70, 10, 10000, 10000},  {50, 10, 20000, 10000},
                    {30, 10, 20000, 20000},  {20, 10, 20000, 20000},  {10, 10, 30000, 20000},
                    {7, 10, 30000, 30000},   {5, 10, 30000, 30000},   {3, 10, 40000, 30000},
                    {2, 10, 40000, 30000},   {1, 10, 50000, 40000}};
    if (p == 1000) // 5xx: under sea level
        return hhh == Const::MISS ? Const::FMISS : hhh >= 500 ? 500 - hhh : hhh;
    for (const auto& s : SURFACES)
        if (s.p == p)
            return hhh == Const::MISS ? Const::FMISS
                                      : s.scale * hhh + (hhh <= 500 ? s.low : s.high);
    return Const::FMISS;
}

float UpaWmoScan::stdHeightFull(int p, int hhh) {
    // Height of 925 hPa in the standard atmosphere, m.
    constexpr float STD_925 = 762.0f;
    const float h = stdHeight(p, hhh);
    if (p != 925 || h == Const::FMISS) return h;
    return std::fabs(h + 1000 - STD_925) < std::fabs(h - STD_925) ? h + 1000 : h;
}

void UpaWmoScan::tempDewpt(int ttt, int dd, float& t, float& td, bool full) {
    t = td = Const::FMISS;
    if (ttt == Const::MISS) return;
    // The tenths digit is even above zero and odd below.
    t = (ttt % 2 ? -ttt : ttt) / 10.0f;
    if (dd == Const::MISS || (dd == 99 && !full)) return;
    td = t - (dd <= 50 ? dd / 10.0f : dd - 50.0f);
}

int UpaWmoScan::wind(int dd, int fff, bool knots, float& dir, float& spd) {
    dir = spd = Const::FMISS;
    if (dd != Const::MISS && dd > 36) return 0;
    if (dd == Const::MISS || fff == Const::MISS) return 1;
    int d = 10 * dd;
    if (fff >= 500) {
        fff -= 500;
        d += 5;
    }
    if (fff >= MAX_FFF) return -1;
    if (d > 360) return 1;
    dir = static_cast<float>(d);
    spd = knots ? static_cast<float>(fff) : Convert::MPStoKT(static_cast<float>(fff));
    return 1;
}

} // namespace HYX
