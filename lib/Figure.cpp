// The top of the graphics stack: drawing queue, frame decision, frame drawing and events.
#include "HYX/Figure.h"

#include "HYX/Drawing.h"
#include "HYX/Hyx.h"
#include "HYX/Rect.h"
#include "HYX/StrLib.h"
#include "HYX/Strings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace HYX {

namespace {

bool starts(const char* s, const char* p) { return s && std::strncmp(s, p, std::strlen(p)) == 0; }

const char* from(const char* s, size_t n) { return std::strlen(s) >= n ? s + n : ""; }

bool sameDate(const Date& a, const Date& b) {
    return a.isSet() && b.isSet() && a.getSeconds() == b.getSeconds();
}

// The frames of a forecast-time text: "first-last/step" spelled out, else the text itself.
void expandForeTimes(const char* text, String& out) {
    int first, last, step;
    if (std::sscanf(text, "%d-%d/%d", &first, &last, &step) == 3 && step > 0 && last >= first &&
        (last - first) / step < 1000) {
        out.clear();
        for (int t = first; t <= last; t += step) {
            if (out.length()) out.append(",");
            char buf[16];
            std::snprintf(buf, sizeof buf, "%d", t);
            out.append(buf);
        }
        return;
    }
    out.copy(text);
}

} // namespace

long Figure::now() {
    const int t = Hyx::getInitTime();
    return t != Const::MISS ? static_cast<long>(t) : Date::getCurrentSeconds();
}

Figure::Figure() { init(); }

Figure::Figure(const char* param) {
    init();
    setParam(param);
    open(param);
}

Figure::~Figure() { close(); }

int Figure::init() {
    plot_queue.reset();
    file.clear();
    ftime.clear();
    bdate.init();
    ldate.init();
    bdomain.init();
    loop_frames = -1;
    num_frames = -1;
    num_plot = 0;
    loop_type = Drawing::DATE_LOOP;
    loop_inc = -1;
    redraw = 0;
    border = 1;
    num_redraw = 0;
    refresh = 0;
    rtime = 0;
    const char* t = Hyx::getResrc("time");
    if (t) setForeTime(t);
    setParam(Hyx::getResrc("parameter"));
    return 1;
}

int Figure::setParam(const char* param) {
    if (!param || !param[0]) return 1;
    Strings items(param, ',');
    for (int k = 0; k < items.getNum(); ++k) {
        const char* item = items.getString(k);
        if (!item) continue;
        const char* eq = std::strchr(item, '=');
        if (starts(item, "fi")) {
            if (eq) file.copy(eq + 1);
        } else if (starts(item, "ref")) {
            refresh = eq ? std::atoi(eq + 1) : 1;
        } else if (starts(item, "nf")) {
            num_frames = std::atoi(from(item, 3));
        } else if (StrLib::equal(item, "nobord")) {
            border = 0;
        } else if (starts(item, "linc")) {
            loop_inc = std::atoi(from(item, 5)) * 60;
        }
    }
    return 1;
}

int Figure::open(const char* param) {
    plot.setFixed(false);
    setParam(param);
    plot.open(param);
    plot.addCallback("AnyEvent", this, "Figure");
    return 1;
}

int Figure::open() {
    loop_frames = -1;
    return open("");
}

int Figure::close() {
    const int ok = plot.close();
    loop_frames = -1;
    clearQueue();
    return ok;
}

int Figure::setForeTime(const char* times) {
    if (!times) {
        ftime.clear();
        return 0;
    }
    expandForeTimes(times, ftime);
    return 1;
}

int Figure::setDomain(Domain& d) {
    bdomain = d;
    plot.setDomain(d);
    return 1;
}

int Figure::setDate(Date& d) {
    bdate = d;
    loop_frames = 0;
    num_frames = 1;
    return 1;
}

int Figure::setDate(Date& d, int inc, int n) {
    bdate = d;
    loop_inc = inc;
    num_frames = n;
    loop_frames = 0;
    if (inc < 0) {
        bdate.addSeconds(static_cast<float>(inc) * n);
        loop_inc = -inc;
    }
    return 1;
}

int Figure::startPlot() { return plot.setPanel(); }
int Figure::startPlot(Rect& r) { return plot.setPanel(r); }
int Figure::startPlot(Rect& r, float aspect) { return plot.setPanel(r, aspect); }

int Figure::startPlot(Domain& d) {
    bdomain = d;
    return plot.setPanel(d);
}

int Figure::startPlot(Rect& r, Domain& d) {
    bdomain = d;
    return plot.setPanel(r, d);
}

int Figure::addDrawing(Drawing& d) {
    auto item = std::make_unique<PlotItem>();
    item->drawing = &d;
    std::unique_ptr<PlotItem>* tail = &plot_queue;
    while (*tail) tail = &(*tail)->next;
    *tail = std::move(item);
    return 1;
}

int Figure::clearQueue() {
    // Unlinked one by one so that a long queue does not recurse.
    while (plot_queue) plot_queue = std::move(plot_queue->next);
    return 1;
}

Drawing* Figure::loopDrawing() const {
    for (PlotItem* p = plot_queue.get(); p; p = p->next.get())
        if (p->drawing->getLoopType()) return p->drawing;
    return nullptr;
}

// The drawing d decides the frames: its file, frame count, loop kind, step and first date.
void Figure::takeSync(Drawing& d) {
    if (file.valid())
        d.setFilename(file.get());
    else
        d.setFilename();
    if (num_frames == -1) {
        num_frames = d.getNumFrames();
        loop_type = d.getLoopType();
    }
    if (loop_inc == -1) loop_inc = d.getDateOffset();
    if (!bdate.isSet()) d.getInitDate(bdate);
    if (!plot.getDate().isSet() && bdate.isSet()) plot.setDate(bdate);
    if (Hyx::isDebug(3)) {
        Hyx::outDebug(4, "Found sync: %d %d %d ", num_frames, loop_type, loop_inc);
        bdate.print();
    }
}

int Figure::endPlot() {
    num_plot = 0;
    const char* cur = Hyx::getResrc("current");
    if (cur && !std::strstr(cur, "la")) {
        if (cur[0] == '#') {
            bdate.set(cur);
        } else {
            int d = 0, h = 0, m = 0;
            long back = 0;
            int n = std::sscanf(cur, "%dd%d:%d", &d, &h, &m);
            if (n >= 2) {
                back = d * 86400L + h * 3600L + (n == 3 ? m * 60L : 0);
            } else if ((n = std::sscanf(cur, "%d:%d", &h, &m)) == 2) {
                back = h * 3600L + m * 60L;
            } else if (std::sscanf(cur, "%d", &h) == 1) {
                back = h * 3600L;
            }
            bdate.set(now() - back);
        }
    }

    bool sync = false;
    for (PlotItem* p = plot_queue.get(); p; p = p->next.get()) {
        Drawing& d = *p->drawing;
        if (d.getLoopType()) ++num_plot;
        if (d.getSync()) {
            sync = true;
            takeSync(d);
        }
    }

    if (loop_frames == -1) {
        if (ftime.valid()) {
            num_frames = ftime.occurs(',') + 1;
            loop_type = Drawing::FORE_LOOP;
        } else if (!sync) {
            if (Drawing* d = loopDrawing()) {
                if (Hyx::isDebug(1)) d->print();
                takeSync(*d);
            }
        }
    }
    if (num_frames == -1) num_frames = 1;
    return drawPlot();
}

int Figure::drawPlot() {
    if (loop_inc == -1) loop_inc = 3600;
    if (refresh == 1) refresh = loop_inc;
    if (!bdate.isSet()) bdate.set(now());
    Hyx::outMessage(Hyx::OUT4, "LOOP-nf=%d linc=%d date=", num_frames, loop_inc);
    if (Hyx::checkMessage(Hyx::OUT4)) bdate.print();

    Date d = bdate;
    Strings times;
    const bool by_date = loop_type != Drawing::FORE_LOOP;
    if (by_date) {
        if (num_frames > 1) d.addSeconds(-static_cast<float>(num_frames - 1) * loop_inc);
    } else {
        times.set(ftime.get() ? ftime.get() : "", ',');
    }

    loop_frames = 0;
    for (int i = 0; i < num_frames; ++i) {
        if (num_frames > 1) {
            Drawing* ld = loopDrawing();
            bool wanted = ld && ld->setFilename(d, "");
            if (wanted) {
                Date data;
                ld->getDate(data);
                Hyx::outDebug(3, "***************************************************\n");
                if ((by_date || num_plot == 1) && sameDate(data, ldate)) wanted = false;
            }
            if (!wanted) {
                if (by_date) d.addSeconds(static_cast<float>(loop_inc));
                continue;
            }
            plot.newFrame();
        }
        if (plot_queue) {
            plot.setCursor(8);
            if (by_date)
                drawFrame(d);
            else
                drawFrame(times.getString(i) ? times.getString(i) : "");
            plot.setCursor(6);
        }
        if (by_date) d.addSeconds(static_cast<float>(loop_inc));
        plot.update();
        loop_frames = 1;
    }
    return 1;
}

int Figure::drawFrame(Date& d) {
    if (Hyx::checkMessage(Hyx::OUT2)) {
        String text;
        d.toText(text);
        Hyx::outMessage(Hyx::OUT2, "Plotting for: %s\n", text.get() ? text.get() : "");
    }
    for (PlotItem* p = plot_queue.get(); p; p = p->next.get()) {
        p->drawing->setFilename(d, "");
        p->drawing->getDate(ldate);
        p->drawing->draw(plot);
    }
    if (border) plot.drawBorder();
    plot.drawLabels();
    return 1;
}

int Figure::drawFrame(const char* t) {
    Hyx::outMessage(Hyx::OUT2, "Plotting for: %s\n", t ? t : "");
    for (PlotItem* p = plot_queue.get(); p; p = p->next.get()) {
        p->drawing->setForeTime(t);
        p->drawing->draw(plot);
    }
    if (border) plot.drawBorder();
    plot.drawLabels();
    return 1;
}

int Figure::draw() {
    plot.deleteAllFrames();
    plot.clear();
    ++redraw;
    ++num_redraw;
    plot.setPanel(0);
    drawPlot();
    --redraw;
    return 1;
}

int Figure::draw(Drawing& d) { return d.draw(plot); }

int Figure::updateLoop(Date& d) {
    if (num_frames > 1) {
        plot.deleteFrame(0);
        plot.newFrame();
    }
    plot.clearFrame();
    drawFrame(d);
    plot.update();
    bdate = d;
    return 1;
}

int Figure::manage() {
    rtime = static_cast<time_t>(now());
    return plot.manage();
}

int Figure::setDrawing(const char* s) { return plot.setDrawing(s); }

bool Figure::isDrawing(int i) const { return plot.isDrawing(i); }

void Figure::zoom(const char* type, const char* pos, float factor, const char* what) {
    int px = 0, py = 0;
    if (std::sscanf(pos, "%d:%d", &px, &py) != 2) return;
    float wx, wy;
    plot.tranPlotWindow(static_cast<float>(px), static_cast<float>(py), wx, wy);
    Domain dom;
    plot.getPanelDomain(0, dom);
    if (factor > 0)
        dom.zoom(Point(wx, wy), factor);
    else
        dom.pan(Point(wx, wy));
    plot.setPanelDomain(0, dom);
    Hyx::outDebug(2, "Figure-%s window: %s %.2f %.2f\n", what, type, wx, wy);
    if (Hyx::checkMessage(Hyx::OUT2)) {
        Hyx::outMessage(Hyx::OUT2, "New domain: ");
        dom.print();
    }
    draw();
}

void Figure::callback(const char* type, const char* data, const void*) {
    if (!type) return;
    if (!data) data = "";
    if (StrLib::equal(type, "Redraw")) {
        int w = 0, h = 0;
        std::sscanf(data, "%d:%d", &w, &h);
        Hyx::outDebug(2, "Figure-resize window: %d %d\n", w, h);
        draw();
    } else if (starts(data, "r-Alt")) {
        Hyx::outDebug(2, "Figure-redraw window\n");
        draw();
    } else if (starts(data, "z-Alt")) {
        zoom(type, from(data, 6), 2.0f, "zoom");
    } else if (starts(data, "Z-Alt")) {
        zoom(type, from(data, 11), 0.5f, "unzoom");
    } else if (starts(data, "p-Alt")) {
        zoom(type, from(data, 6), 0.0f, "pan");
    } else if (starts(data, "u-Alt")) {
        Hyx::outDebug(2, "Figure-unzoom window\n");
        plot.setPanelDomain(0, bdomain);
        draw();
    } else if (StrLib::equal(type, "Idle")) {
        const long t = now();
        if (refresh <= 1 || t - static_cast<long>(rtime) < refresh) return;
        int update = 0;
        Date cur(t);
        Drawing* d = loopDrawing();
        if (d && d->setFilename(cur, "")) {
            Date found;
            d->getDate(found);
            update =
                !((loop_type != Drawing::FORE_LOOP || num_plot == 1) && sameDate(found, ldate));
        }
        Hyx::outDebug(2, "Figure-refresh %d\n", update);
        if (update) updateLoop(cur);
        rtime += refresh;
    }
}

} // namespace HYX
