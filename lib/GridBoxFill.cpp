// The filled polygons of one grid box for the band between two contour levels.
#include "HYX/GridBoxFill.h"

#include "HYX/GridBox.h"

namespace HYX {

namespace {

// Corners met walking around the box; boundary edge e runs from corner cyc[e] to cyc[e+1]
// and lies on side e.
constexpr int cyc[5] = {0, 1, 3, 2, 0};

// Position along boundary edge e of a crossing at fraction f of side e: sides 1 and 2 are
// measured against the walking direction.
float edgePos(int e, float f) { return (e == 1 || e == 2) ? 1.0f - f : f; }

bool before(int ea, float ta, int ra, int eb, float tb, int rb) {
    if (ea != eb) return ea < eb;
    if (ta != tb) return ta < tb;
    return ra < rb;
}

} // namespace

GridBoxFill::GridBoxFill() {
    for (auto& p : poly) p = Points(MAX_POINTS);
}

void GridBoxFill::addEvent(const Event& e) {
    if (nev >= static_cast<int>(ev.size())) return;
    int i = nev++;
    while (i > 0 && before(e.edge, e.t, e.rank, ev[i - 1].edge, ev[i - 1].t, ev[i - 1].rank)) {
        ev[i] = ev[i - 1];
        --i;
    }
    ev[i] = e;
}

int GridBoxFill::addChords(const GridBox& box, int lev, float rise[4]) {
    int a[2], b[2], n = 0;
    if (box.getNumSide() == 2) {
        a[0] = box.getCross(0);
        b[0] = box.getCross(1);
        n = 1;
    } else if (box.getNumSide() == 4) {
        if (box.getTotalDsides() < 2.0f) {
            a[0] = 0, b[0] = 1, a[1] = 2, b[1] = 3;
        } else {
            a[0] = 1, b[0] = 2, a[1] = 3, b[1] = 0;
        }
        n = 2;
    }
    int added = 0;
    for (int c = 0; c < n; ++c) {
        const int sa = a[c], sb = b[c];
        if (sa < 0 || sa > 3 || sb < 0 || sb > 3 || sa == sb) continue;
        if (box.getSide(sa) < 0.0f || box.getSide(sb) < 0.0f) continue;
        for (int k = 0; k < 2; ++k) {
            const int s = k ? sb : sa;
            Event e;
            e.edge = s;
            e.t = edgePos(s, box.getSide(s));
            // Where both levels meet one point, the one met first walking up the values
            // comes first.
            e.rank = rise[s] >= 0 ? lev : 1 - lev;
            e.corner = -1;
            e.lev = lev;
            e.side = s;
            e.pt = box.getSidePoint(s);
            e.partner = k ? sa : sb; // the partner's side for now
            addEvent(e);
        }
        ++added;
    }
    return added;
}

int GridBoxFill::wholeBox(const GridBox& box) {
    Points& p = poly[0];
    p.clear();
    static const int order[5] = {1, 3, 2, 0, 1};
    for (int k : order) p.add1(box.getPoint(k));
    num = 1;
    return num;
}

int GridBoxFill::build(const GridBox& lower, GridBox& upper) {
    num = 0;
    nev = 0;
    const float lo = lower.getLevel(), up = upper.getLevel();

    // Corners lowered onto the near side of a level count with their lowered values.
    float vmin = lower.getVal(0), vmax = upper.getVal(0);
    for (int k = 1; k < 4; ++k) {
        if (lower.getVal(k) < vmin) vmin = lower.getVal(k);
        if (upper.getVal(k) > vmax) vmax = upper.getVal(k);
    }
    if (vmax <= up && lo <= vmin) return wholeBox(upper);

    // An upper level crossing two opposite sides with neither neighbouring corner below it
    // (only possible through values exactly on the level) bounds no band.
    if (upper.getNumSide() == 2) {
        const int c0 = upper.getCross(0), c1 = upper.getCross(1);
        int k1 = -1, k2 = -1;
        if (c0 == 0 && c1 == 2) k1 = 3, k2 = 0;
        if (c0 == 1 && c1 == 3) k1 = 2, k2 = 1;
        if (k1 >= 0 && !(upper.getVal(k1) < up) && !(upper.getVal(k2) < up)) {
            upper.setNumSide(0);
            for (int n = 0; n < 4; ++n) upper.setCross(n, -1);
            return 0;
        }
    }

    float rise[4];
    for (int e = 0; e < 4; ++e) rise[e] = upper.getVal(cyc[e + 1]) - upper.getVal(cyc[e]);
    for (int e = 0; e < 4; ++e) {
        Event c;
        c.edge = e;
        c.t = -1.0f;
        c.rank = 0;
        c.corner = cyc[e];
        c.lev = -1;
        c.side = -1;
        c.pt = upper.getPoint(cyc[e]);
        c.partner = -1;
        addEvent(c);
    }
    addChords(lower, 0, rise);
    addChords(upper, 1, rise);

    // Replace each crossing's partner side by the partner's event index.
    for (int i = 0; i < nev; ++i) {
        if (ev[i].corner >= 0) continue;
        const int ps = ev[i].partner;
        ev[i].partner = -1;
        for (int j = 0; j < nev; ++j)
            if (j != i && ev[j].corner < 0 && ev[j].lev == ev[i].lev && ev[j].side == ps)
                ev[i].partner = j;
    }

    bool visited[12] = {};
    for (int a = 0; a < nev && num < MAX_POLY; ++a)
        if (!visited[a]) trace(a, lower, upper, visited);
    return num;
}

// Traces the piece of the box whose boundary starts with the boundary stretch from event
// start to the next event: along the box edges until a crossing, then along that level's
// segment to its partner crossing, and on until back at the start. Keeps the piece when it
// belongs to the band.
int GridBoxFill::trace(int start, const GridBox& lower, const GridBox& upper, bool visited[]) {
    Points& p = poly[static_cast<std::size_t>(num)];
    p.clear();
    const float lo = lower.getLevel(), up = upper.getLevel();
    int band = -1;
    bool ok = true;
    int a = start;
    for (int guard = 0;; ++guard) {
        if (guard > 2 * nev + 2 || a < 0) {
            ok = false;
            break;
        }
        visited[a] = true;
        const Event& s = ev[a];
        if (!p.add1(s.pt)) ok = false;
        if (s.corner >= 0 && band < 0)
            band = lower.getVal(s.corner) >= lo && upper.getVal(s.corner) < up ? 1 : 0;
        const int next = (a + 1) % nev;
        if (ev[next].corner < 0) {
            if (!p.add1(ev[next].pt)) ok = false;
            a = ev[next].partner;
        } else {
            a = next;
        }
        if (a == start) break;
    }
    if (!ok || band == 0 || p.getNum() < 3) return 0;
    if (!p.add1(p.get(0))) return 0;
    ++num;
    return 1;
}

} // namespace HYX
