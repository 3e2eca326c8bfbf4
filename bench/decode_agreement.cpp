// How many levels of GEMPAK's decoding of a day of global TEMP and PILOT reports the
// library's decoder reproduces, with the plain and with the full decoding. Prints counts;
// not a timing benchmark.
//
//   decode_agreement REPORTS.txt DECODED_PARTS.csv [PART]
// (the gempak_2020-11-07_00z_global set: unmerged_with_text_reports.txt and
// decoded_parts.csv). With PART (TTAA, PPBB ...) the rows of that part that the full
// decoding misses are listed.
#include "HYX/Date.h"
#include "HYX/UpaRawinData.h"
#include "HYX/UpaTool.h"
#include "HYX/UpaWmoData.h"
#include "HYX/UpaWmoFile.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace HYX;

namespace {

constexpr float KT_PER_MS = 1.944f;

struct Row {
    std::string part;
    float v[6]; // pres, hght, temp, dwpt, drct, sped (m/s)
};

float num(const std::string& s) {
    char* end = nullptr;
    const float v = std::strtof(s.c_str(), &end);
    return end == s.c_str() ? Const::FMISS : v;
}

bool same(float a, float b, float tol) {
    if (a == Const::FMISS || b == Const::FMISS) return a == b;
    return std::fabs(a - b) <= tol;
}

// The level of the decoded report a GEMPAK row stands for, compared field by field.
bool agrees(const Row& r, const UpaRawinData& raw, bool byHeight) {
    auto match = [&](const UpaLevel& l, bool heights) {
        const float spd = l.spd == Const::FMISS ? Const::FMISS : l.spd / KT_PER_MS;
        // 360 and 0 degrees are both winds from the north.
        const float dir = l.dir == 360 && r.v[4] == 0 ? 0 : l.dir;
        return (!heights || same(l.h, r.v[1], 1.5f)) && same(l.t, r.v[2], 0.06f) &&
               same(l.td, r.v[3], 0.06f) && same(dir, r.v[4], 0.5f) && same(spd, r.v[5], 0.3f);
    };
    const std::string& p = r.part;
    if (p == "TTAA" || p == "TTCC" || p == "TRPA" || p == "TRPC" || p == "MXWA" || p == "MXWC") {
        const int role = p[0] == 'T' && p[1] == 'R' ? UpaLevel::TROP
                         : p[0] == 'M'              ? UpaLevel::MWND
                                                    : -1;
        for (int i = 0; i < raw.getNumMan(); ++i) {
            const UpaLevel l = raw.getMan(i);
            if (std::fabs(l.p - r.v[0]) > 0.05f) continue;
            if (role > 0 && l.type != role) continue;
            const bool heights = role < 0 && i != raw.getSfc();
            if (match(l, heights)) return true;
        }
        return false;
    }
    if (p == "TTBB") {
        for (int i = 0; i < raw.getNumSig(); ++i) {
            const UpaLevel l = raw.getSig(i);
            if (std::fabs(l.p - r.v[0]) <= 0.05f && same(l.t, r.v[2], 0.06f) &&
                same(l.td, r.v[3], 0.06f))
                return true;
        }
        return false;
    }
    if (p != "PPBB") return false;
    Row w = r;
    w.v[2] = w.v[3] = Const::FMISS;
    if (byHeight) {
        // Winds by height: GEMPAK gives metres from the coded feet, 0 for the surface.
        for (int i = 0; i < raw.getNumWnd(); ++i) {
            const UpaLevel l = raw.getWnd(i);
            UpaLevel m = l;
            m.h = std::round(l.h * 0.3048f);
            m.t = m.td = Const::FMISS;
            w.v[1] = std::round(r.v[1]);
            if (same(m.h, w.v[1], 1.5f) && match(m, true)) return true;
        }
        return false;
    }
    // Where part B has section 21212 GEMPAK keeps those winds by pressure, in the height
    // column (the surface negative).
    const float pres = std::fabs(r.v[1]);
    for (int i = 0; i < raw.getNumSig(); ++i) {
        UpaLevel l = raw.getSig(i);
        if (std::fabs(l.p - pres) > 0.05f || l.dir == Const::FMISS) continue;
        l.t = l.td = Const::FMISS;
        if (match(l, false)) return true;
    }
    for (int i = 0; i < raw.getNumWnd(); ++i) { // the surface wind of part A
        UpaLevel l = raw.getWnd(i);
        if (l.h != 0 || r.v[1] >= 0) continue;
        l.t = l.td = Const::FMISS;
        if (match(l, false)) return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fputs("usage: decode_agreement REPORTS.txt DECODED_PARTS.csv [PART]\n", stderr);
        return 2;
    }
    // The report text of each station.
    std::map<int, std::string> text;
    {
        std::ifstream in(argv[1]);
        std::string line;
        int stnm = 0;
        while (std::getline(in, line)) {
            const size_t at = line.find("STNM=");
            if (line.rfind("#", 0) == 0 && at != std::string::npos)
                stnm = std::atoi(line.c_str() + at + 5);
            else if (stnm)
                text[stnm] += line + "\n";
        }
    }
    std::map<int, std::vector<Row>> rows;
    {
        std::ifstream in(argv[2]);
        std::string line;
        std::getline(in, line);
        while (std::getline(in, line)) {
            std::stringstream ss(line);
            std::string c[8];
            for (std::string& x : c) std::getline(ss, x, ',');
            Row r{c[1], {num(c[2]), num(c[3]), num(c[4]), num(c[5]), num(c[6]), num(c[7])}};
            rows[std::atoi(c[0].c_str())].push_back(r);
        }
    }
    // A station's significant winds are by height when its first one is the surface at 0.
    std::map<int, bool> byHeight;
    for (const auto& [stnm, rs] : rows)
        for (const Row& r : rs)
            if (r.part == "PPBB" && r.v[1] != Const::FMISS) {
                byHeight[stnm] = r.v[1] >= 0;
                break;
            }

    std::map<std::string, int> total, agree[2];
    for (const auto& [stnm, t] : text) {
        UpaRawinData raw[2];
        for (int mode : {UpaTool::PLAIN, UpaTool::FULL}) {
            UpaWmoFile f;
            f.setText(t.c_str());
            f.setDate(Date(2020, 11, 7, 0, 0, 0));
            UpaWmoData rep;
            while (f.read(rep) == 1) UpaTool::decode(rep, raw[mode], mode);
        }
        for (const Row& r : rows[stnm]) {
            ++total[r.part];
            for (int mode : {UpaTool::PLAIN, UpaTool::FULL})
                if (agrees(r, raw[mode], byHeight[stnm]))
                    ++agree[mode][r.part];
                else if (mode == UpaTool::FULL && argc > 3 && r.part == argv[3])
                    std::printf("%d %s %g %g %g %g %g %g\n", stnm, r.part.c_str(), r.v[0], r.v[1],
                                r.v[2], r.v[3], r.v[4], r.v[5]);
        }
    }
    int all = 0, plain = 0, full = 0;
    std::printf("%-6s %7s %7s %7s\n", "part", "levels", "plain", "full");
    for (const auto& [part, n] : total) {
        std::printf("%-6s %7d %7d %7d\n", part.c_str(), n, agree[0][part], agree[1][part]);
        all += n;
        plain += agree[0][part];
        full += agree[1][part];
    }
    std::printf("%-6s %7d %7d %7d\n", "all", all, plain, full);
    return 0;
}
