// Soundings from bulletins of coded TEMP and PILOT reports.
#include "HYX/UpaWmoReader.h"

#include "HYX/Convert.h"
#include "HYX/UpaData.h"
#include "HYX/UpaRawinData.h"
#include "HYX/UpaWmoData.h"
#include "HYX/UpaWmoFile.h"

#include <map>

namespace HYX {

UpaWmoReader::UpaWmoReader() = default;
UpaWmoReader::~UpaWmoReader() = default;

void UpaWmoReader::start() {
    keys.clear();
    parts.clear();
    next = 0;
    UpaWmoFile f;
    // The bulletin reader stops at a zero byte; one in the input cuts it short there.
    f.setText(buf.c_str());
    f.setDate(base);
    UpaWmoData rep;
    while (f.read(rep) == 1) {
        const std::string key = std::string(rep.getWmo()) + ":" + rep.getId();
        if (!parts.count(key)) keys.push_back(key);
        std::vector<UpaWmoData>& p = parts[key][rep.getType()];
        if (f.getPiece() == 0) p.clear(); // a new copy of the part replaces the old
        p.push_back(rep);
    }
}

int UpaWmoReader::read(UpaData& out) {
    while (next < keys.size()) {
        const std::string& key = keys[next++];
        UpaRawinData raw;
        for (const auto& part : parts.at(key))
            for (UpaWmoData rep : part.second) UpaTool::decode(rep, raw, mode);
        out.init();
        toSounding(raw, out);
        if (out.getNum() > 0) return 1;
        // Named by its number (or call sign), as the report names it.
        const std::string who = key.substr(0, key.find(':'));
        skip((who == "99999" || who.empty() ? key.substr(key.find(':') + 1) : who) +
             " has no levels");
    }
    return -1;
}

void UpaWmoReader::toSounding(const UpaRawinData& raw, UpaData& out) {
    // Land stations are known by their number; the identifier the decoder makes of it is
    // left to the station file. Ships and mobile stations keep their call signs.
    if (raw.getWmo() == Const::MISS || raw.getWmo() >= 99999) out.setId(raw.getId());
    out.setWmo(raw.getWmo());
    out.setArea(raw.getArea());
    out.setLoc(raw.getLat(), raw.getLon());
    out.setDate(raw.getDate());
    std::map<float, int> byPres;
    auto add = [&](UpaLevel lev, int flags) {
        lev.type = 0;
        const auto at = byPres.find(lev.p);
        if (at != byPres.end()) {
            out.updateLevel(at->second, lev);
            out.setType(at->second, out.getType(at->second) | flags);
            return at->second;
        }
        lev.type = flags;
        const int k = out.addLevel(lev);
        if (k >= 0) byPres[lev.p] = k;
        return k;
    };
    for (int i = 0; i < raw.getNumMan(); ++i) {
        const UpaLevel lev = raw.getMan(i);
        if (lev.p == Const::FMISS) continue;
        int flags = 0;
        if (i == raw.getTrop() || lev.type == UpaLevel::TROP) flags |= UpaLevel::TROP;
        if (i == raw.getMaxWnd() || lev.type == UpaLevel::MWND) flags |= UpaLevel::MWND;
        const int k = add(lev, flags);
        if (k >= 0 && i == raw.getSfc()) out.setSfc(k);
    }
    for (int i = 0; i < raw.getNumSig(); ++i) {
        const UpaLevel lev = raw.getSig(i);
        if (lev.p != Const::FMISS) add(lev, 0);
    }
    for (int i = 0; i < raw.getNumWnd(); ++i) {
        UpaLevel lev = raw.getWnd(i);
        if (lev.h == Const::FMISS || lev.dir == Const::FMISS) continue;
        if (lev.h == 0) {
            // The surface wind belongs to the surface level (at the station elevation).
            if (out.isSfc()) {
                UpaLevel w;
                w.dir = lev.dir;
                w.spd = lev.spd;
                out.updateLevel(out.getSfc(), w);
            }
            continue;
        }
        lev.type = 0;
        lev.p = Const::FMISS;
        lev.h = Convert::FTtoM(lev.h);
        out.addLevel(lev);
    }
}

} // namespace HYX
