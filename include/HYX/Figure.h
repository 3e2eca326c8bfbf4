// The top of the graphics stack: owns the plot, keeps a queue of drawings, decides how
// many frames to draw and for which dates or forecast times, draws them, and reacts to the
// window's events (redraw, zoom, pan, unzoom, live refresh).
#ifndef HYX_FIGURE_H
#define HYX_FIGURE_H

#include "HYX/Date.h"
#include "HYX/Domain.h"
#include "HYX/Export.h"
#include "HYX/Listener.h"
#include "HYX/Plot.h"
#include "HYX/String.h"

#include <ctime>
#include <memory>

namespace HYX {

class Drawing;
class Rect;

class HYX_API Figure : public Listener {
public:
    // One queued drawing; the drawing itself is not owned.
    struct PlotItem {
        int panel = 0;
        int type = 1;
        Drawing* drawing = nullptr;
        void* data = nullptr;
        std::unique_ptr<PlotItem> next;
    };

    Figure();
    explicit Figure(const char* param);
    ~Figure() override;
    Figure(const Figure&) = delete;
    Figure& operator=(const Figure&) = delete;

    int init();
    // Items: fi=file, ref[=seconds], nf=frames, nobord, linc=minutes.
    int setParam(const char* param);
    int open();
    int open(const char* param);
    // Closes the plot and so the device: 0 when its output could not be completed.
    int close();

    // A list "0,6,12" or a span "first-last/step".
    int setForeTime(const char* times);
    int setDomain(Domain& d);
    int setDate(Date& d);
    // n frames inc seconds apart from d; a negative inc makes d the last frame.
    int setDate(Date& d, int inc, int n);
    int setLoopType(int t) {
        loop_type = t;
        return 1;
    }
    int setRefresh(int r) {
        refresh = r;
        return 1;
    }

    int startPlot();
    int startPlot(Rect& r);
    int startPlot(Rect& r, float aspect);
    int startPlot(Domain& d);
    int startPlot(Rect& r, Domain& d);

    int addDrawing(Drawing& d);
    int clearQueue();
    int endPlot();
    int draw();
    int draw(Drawing& d);
    int drawFrame(Date& d);
    int drawFrame(const char* t);
    int drawPlot();
    int updateLoop(Date& d);
    int manage();
    int setDrawing(const char* s);
    bool isDrawing(int i) const;
    void callback(const char* type, const char* data, const void* arg) override;

    Plot& getPlot() { return plot; }
    int getNumFrames() const { return num_frames; }
    int getLoopType() const { return loop_type; }
    int getLoopInc() const { return loop_inc; }
    int getRefresh() const { return refresh; }
    int getNumRedraw() const { return num_redraw; }
    bool getBorder() const { return border != 0; }
    const Date& getBeginDate() const { return bdate; }
    const char* getForeTimes() const { return ftime.get() ? ftime.get() : ""; }
    const char* getFile() const { return file.get() ? file.get() : ""; }

    // The time frames count from: the program's initial time when set, else the clock.
    static long now();

private:
    // The first queued drawing that takes part in choosing frames.
    Drawing* loopDrawing() const;
    void takeSync(Drawing& d);
    void zoom(const char* type, const char* pos, float factor, const char* what);

    Plot plot;
    std::unique_ptr<PlotItem> plot_queue;
    String file;
    String ftime;
    Date bdate;
    Date ldate;
    Domain bdomain;
    int loop_frames;
    int num_frames;
    int num_plot;
    int loop_type;
    int loop_inc;
    int redraw;
    int border;
    int num_redraw;
    int refresh;
    time_t rtime;
};

} // namespace HYX

#endif
