// The plot's surroundings: label lines above and below the panel, the colour bar of a
// filled field and the logo image, all laid out in page units relative to the panel.
#include "HYX/Plot.h"

#include "HYX/DateTool.h"
#include "HYX/FileTool.h"
#include "HYX/ForeTime.h"
#include "HYX/Hyx.h"
#include "HYX/PlotAttr.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"
#include "HYX/Strings.h"
#include "HYX/Tools.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace HYX {

namespace {

// Alignment of the label positions ul, uc, ur, ll, lc, lr: horizontal, then vertical with
// labels inside the plot (full layout 2) and outside it.
constexpr int HALIGN[6] = {1, 2, 3, 1, 2, 3};
constexpr int VALIGN_INSIDE[6] = {1, 1, 1, 5, 5, 5};
constexpr int VALIGN_OUTSIDE[6] = {5, 5, 5, 1, 1, 1};
// Text lines never get higher than this part of the plot height.
constexpr float MAX_LINE = 0.03f;
constexpr int MAX_BAR_BOXES = 1000;

void put(char* out, int size, int& n, const char* text) {
    for (; text && *text && n < size - 1; ++text) out[n++] = *text;
}

void putInt(char* out, int size, int& n, const char* fmt, int v) {
    char buf[24];
    std::snprintf(buf, sizeof buf, fmt, v);
    put(out, size, n, buf);
}

} // namespace

int Plot::formatLabel(const char* in, char* out, int size) const {
    if (!out || size < 1) return 0;
    int n = 0;
    for (const char* p = in ? in : ""; *p && n < size - 1; ++p) {
        if (*p == '_') {
            out[n++] = ' ';
            continue;
        }
        if (*p != '%') {
            out[n++] = *p;
            continue;
        }
        String s;
        switch (p[1]) {
        case 'D':
            DateTool::createLabel(date, tz, s);
            put(out, size, n, s.get());
            break;
        case 'V': {
            const ForeTime f(ForeTime::FORE, fore_hour, Const::FMISS);
            DateTool::createLabel(date, tz, source, f, s);
            put(out, size, n, s.get());
            break;
        }
        case 'Y':
            putInt(out, size, n, "%2.2d", date.getYear());
            break;
        case 'y':
            putInt(out, size, n, "%2.2d", date.getYear00());
            break;
        case 'm':
            putInt(out, size, n, "%2.2d", date.getMonth());
            break;
        case 'd':
            putInt(out, size, n, "%2.2d", date.getDay());
            break;
        case 'h':
            putInt(out, size, n, "%2.2d", date.getHour());
            break;
        case 'n':
            putInt(out, size, n, "%2.2d", date.getMinute());
            break;
        case 'b': {
            char mon[4] = {};
            StrLib::copy(mon, sizeof mon, DateTool::getMonth(date.getMonth()));
            put(out, size, n, mon);
            break;
        }
        case 'f':
            putInt(out, size, n, "%d", static_cast<int>(fore_hour));
            break;
        case 'F':
            ForeTime::toTimeLabel(fore_hour, s);
            put(out, size, n, s.get());
            break;
        case '%':
            out[n++] = '%';
            break;
        default:
            // A lone "%": copied, and the next character is taken as it comes.
            out[n++] = '%';
            continue;
        }
        ++p;
    }
    out[n] = 0;
    return 1;
}

int Plot::drawLabels() {
    const int tran = graph.getTran();
    const Rect pv = graph.getViewport();
    const Rect page = graph.getGTran(0).getViewport();
    graph.activateTran(0);
    const float w = pv.getWidth(), v = pv.getHeight();

    const int nlayer = labels.getLayer();
    float band = page.ymax - pv.ymax;
    if (band == 0.0f) band = pv.ymin - page.ymin;
    if (full == 2) band = 0.06f;
    float h = nlayer > 0 ? band / nlayer : band;
    if (h > MAX_LINE * v) h = MAX_LINE * v;
    if (band > MAX_LINE * v) band = MAX_LINE * v;
    Hyx::outDebug(5, "Plot labels P: %f X: %f Y: %f - %d %f\n", band, w, v, nlayer, h);
    const int lbase = full == 2 ? nlayer - 1 : 0;

    setText();
    PlotAttr base(color_label.valid() ? color_label.get()
                                      : Hyx::getResrc("color_text", getForeground()));
    setText(base);

    // The queued labels, then the stand-alone ones of the "label" resource.
    std::vector<PlotLabel> all;
    for (int i = 0; i < labels.getNum(); ++i) all.push_back(labels.get(i));
    const char* res = Hyx::getResrc("label");
    if (res && res[0]) {
        Strings items(res, ',');
        for (int k = 0; k < items.getNum(); ++k) {
            const char* item = items.getString(k);
            if (!item) continue;
            PlotLabel l;
            if (std::strlen(item) >= 3 && item[2] == ':') {
                char loc[3] = {item[0], item[1], 0};
                l.set(-1, loc, item + 3, labels.getFormat());
            } else {
                l.set(-1, "ul", item, labels.getFormat());
            }
            all.push_back(l);
        }
    }

    int count[6] = {};
    for (const PlotLabel& l : all) {
        const int pos = PlotLabels::getPosIndex(l.locate);
        if (count[pos] >= 0) count[pos] = l.layer == -1 ? -1 : count[pos] + 1;
    }

    char text[PlotLabel::STRING_SIZE];
    for (const PlotLabel& l : all) {
        const int pos = PlotLabels::getPosIndex(l.locate);
        if (!draw.isOn(DRAW_TEXT_UL + pos)) continue;
        const bool upper = pos < 3;
        float x = pv.xmin + 0.01f * w;
        if (pos % 3 == 1) x = pv.xmin + 0.5f * w;
        if (pos % 3 == 2) x = pv.xmax - 0.01f * w;
        float y = upper ? pv.ymax : pv.ymin;
        float height;
        if (count[pos] > 0) {
            y += upper ? (l.layer - lbase) * h : (l.layer - nlayer + 1 + lbase) * h;
            height = 0.75f * h;
        } else if (l.layer == -1) {
            height = 0.75f * band;
        } else {
            continue; // a stand-alone label holds this position
        }
        PlotAttr la(l.format);
        formatLabel(l.string, text, sizeof text);
        graph.setTextAlign(HALIGN[pos], full == 2 ? VALIGN_INSIDE[pos] : VALIGN_OUTSIDE[pos]);
        graph.setTextHeight(height);
        setText(base);
        setText(la, height);
        drawText(x, y, text);
    }

    graph.activateTran(tran);
    if (bar) drawBar();
    if (logo.valid()) drawLogo();
    return 1;
}

// ---- colour bar

int Plot::setBar(const ColorFill& f, const Range& r) {
    cbar.setFill(f);
    cbar.setRange(r);
    bar = 1;
    return 1;
}

int Plot::setBar(const ColorFill& f) {
    cbar.setFill(f);
    bar = 1;
    return 1;
}

int Plot::drawBar() {
    if (cbar.getType() != ColorBar::FILL) return 0;
    return drawBar(cbar.getRange());
}

int Plot::drawBar(const Range& given) {
    if (bar_param.valid()) cbar.setParam(bar_param.get());
    const ColorFill& f = cbar.getFill();
    const Range r = cbar.getRange().max != Const::FMISS ? cbar.getRange() : given;
    if (color_key.isSet()) return color_key.draw(*this, f, r);
    const bool values = f.areValuesSet();
    const float inc = f.getInterval();
    const bool interval = inc != Const::FMISS && inc != 0.0f;
    int first = 0;
    double nbox;
    if (r.max == Const::FMISS) {
        nbox = f.getNum();
    } else if (values) {
        first = f.getInd(r.min);
        if (first < 0 || first == Const::MISS) first = 0;
        int last = f.getInd(r.max);
        if (last < 0 || last == Const::MISS) last = 0;
        nbox = last - first + 1;
    } else if (interval && r.min != Const::FMISS) {
        nbox = (static_cast<double>(r.max) - r.min) / inc + 0.01;
    } else {
        nbox = f.getNum();
    }
    if (!(nbox >= 1)) return 0;
    const int n = nbox > MAX_BAR_BOXES ? MAX_BAR_BOXES : static_cast<int>(nbox);

    const int tran = graph.getTran();
    const Rect pv = graph.getViewport();
    const Rect page = graph.getGTran(0).getViewport();
    graph.activateTran(0);
    const float ph = page.getHeight();
    float bh = pv.ymin - page.ymin;
    if (bh > 0.05f * ph || full == 2) bh = 0.05f * ph;
    const float x0 = pv.xmin + 0.03f * pv.getWidth();
    const float xc = pv.xmin + pv.getWidth() / 2;
    const float bottom = full == 2 ? pv.ymin + 0.15f * bh : pv.ymin - bh;
    const float top = full == 2 ? pv.ymin + bh : pv.ymin - 0.15f * bh;
    const float mid = (bottom + top) / 2;
    const float bw = (xc - x0) / n;

    PlotAttr tattr(Hyx::getResrc("color_text", getForeground()));
    setText();
    setText(tattr);
    graph.setTextHeight(0.35f * (top - bottom));
    if (f.getLabel()[0]) {
        graph.setTextAlign(1, 4);
        drawText(xc + 0.01f, bottom, f.getLabel());
    }
    graph.setTextAlign(2, 4);
    graph.setFillStyle(0);

    const int every = n / 16 + 1;
    String num;
    float x = x0;
    for (int i = 0; i < n; ++i) {
        float val;
        if (values)
            val = f.getValue(first + i);
        else if (interval && r.min != Const::FMISS)
            val = r.min + i * inc;
        else if (interval && f.getBase() != Const::FMISS)
            val = f.getBase() + i * inc;
        else
            val = static_cast<float>(i);
        PlotAttr a = f.get(val);
        setFill(a);
        setLine(a);
        drawFill(Rect(x, mid, x + bw, top));
        if (i % every == 0) {
            Tools::toString(val, num);
            drawText(x, bottom, num.get());
        }
        x += bw;
    }
    setLine(tattr);
    drawRect(Rect(x0, mid, xc, top));
    graph.activateTran(tran);
    return 1;
}

// ---- logo

int Plot::drawLogo() {
    const char* spec = logo.get();
    if (!spec || (!std::strstr(spec, ".gif") && !std::strstr(spec, ".png"))) return 0;
    int t = 1;
    if (StrLib::iequal(spec, "im:", 3)) {
        spec += 3;
    } else if (StrLib::iequal(spec, "if:", 3)) {
        spec += 3;
        t = 0;
    }
    char name[256];
    const int len = StrLib::index(spec, ':');
    StrLib::copy(name, sizeof name, spec, len < 0 ? StrLib::length(spec) : len);
    char pos[16] = "lr";
    float x = 0, y = 0;
    if (len >= 0) {
        const char* suffix = spec + len;
        if (std::sscanf(suffix, ":%15[^:]:%f:%f", pos, &x, &y) < 1)
            std::sscanf(suffix, "::%f:%f", &x, &y);
    }
    String path;
    FileTool::addPath(Hyx::getResrc("image_path"), name, path);
    message("Logo: %s", path.get());
    Hyx::outMessage(Hyx::OUT4, "Logo: %s\n", path.get());

    const int tran = graph.getTran();
    graph.activateTran(t);
    const Rect win = graph.getWindow();
    const bool ll = StrLib::equal(pos, "ll");
    graph.setImageAlign(ll ? 1 : 3, 1);
    const int ok = drawImage(path.get(), (ll ? win.xmin : win.xmax) + x, win.ymin + y);
    if (!ok) Hyx::outWarning("Logo not found: %s\n", path.get());
    graph.setImageAlign(1, 3);
    graph.activateTran(tran);
    return ok;
}

} // namespace HYX
