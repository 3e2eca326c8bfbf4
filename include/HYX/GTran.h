// One coordinate transformation: window (world) coordinates to a viewport in normalised
// device coordinates (longer device side 0..1, y up) to the device's plot coordinates.
#ifndef HYX_GTRAN_H
#define HYX_GTRAN_H

#include "HYX/Coords.h"
#include "HYX/Export.h"
#include "HYX/Point.h"
#include "HYX/Rect.h"

namespace HYX {

class Points;

class HYX_API GTran {
public:
    // Plot coordinates are clamped to this magnitude so that far-away window points never
    // overflow a device's integer coordinates.
    static constexpr float PLOT_LIMIT = 30000.0f;

    GTran() { set(Rect(0, 0, 1, 1)); }

    // Takes the device's plot rectangle (as the device reports it, possibly with y reversed)
    // and resets NDC, viewport and window to the full NDC rectangle.
    int set(const Rect& device);
    int resize(const Rect& device) { return set(device); }
    // Replace the window or viewport; only the window-to-viewport scale is recomputed.
    int setWindow(const Rect& r);
    int setViewport(const Rect& r);
    Rect getWindow() const { return toRect(wn); }
    Rect getViewport() const { return toRect(vp); }
    Rect getNDC() const { return toRect(ndc); }
    const Coords& getPlt() const { return plt; }
    const Coords& getNdcCoords() const { return ndc; }
    const Coords& getWn() const { return wn; }
    const Coords& getVp() const { return vp; }

    // Window to NDC.
    float tranNdcX(float x) const { return (x - wn.xmin) * wn_vp.x + vp.xmin; }
    float tranNdcY(float y) const { return (y - wn.ymin) * wn_vp.y + vp.ymin; }
    // Window to plot (clamped).
    float tranX(float x) const { return ndcToPlotX(tranNdcX(x)); }
    float tranY(float y) const { return ndcToPlotY(tranNdcY(y)); }
    void tran(float x, float y, float& px, float& py) const {
        px = tranX(x);
        py = tranY(y);
    }
    // NDC to plot (clamped).
    float ndcToPlotX(float nx) const { return clamp(nx * vp_plt.x + plt.xmin); }
    float ndcToPlotY(float ny) const { return clamp((ndc.ymax - ny) * vp_plt.y + plt.ymin); }
    // Plot to NDC and plot to window.
    void tranPlotView(float x, float y, float& nx, float& ny) const;
    void tranPlotWindow(float x, float y, float& wx, float& wy) const;
    // Window of transformation a to window of transformation b.
    static float tranWindowX(const GTran& a, const GTran& b, float x);
    static float tranWindowY(const GTran& a, const GTran& b, float y);

    // The viewport in plot coordinates, each coordinate pair ordered.
    Rect getClipRect() const;
    // True when the bounding box of the points overlaps the window (edges included).
    bool isPointsInWindow(const Points& pts) const;
    bool isPointsInWindow(int n, const Point* pts) const;

    void print() const;

    Coords plt;
    Coords ndc;
    Point wn_vp;
    Point vp_plt;
    Coords wn;
    Coords vp;
    Rect clip_rect;

private:
    static float clamp(float v) {
        return v > PLOT_LIMIT ? PLOT_LIMIT : (v < -PLOT_LIMIT ? -PLOT_LIMIT : v);
    }
    static Rect toRect(const Coords& c);
    void setScale();
    bool overlaps(float minx, float miny, float maxx, float maxy) const;
};

} // namespace HYX

#endif
