// The drawing surface every drawing receives: one Graph with its device, a colour table
// addressed by colour names, up to 16 panels each with its own domain, attributes set from
// attribute strings (a colour the table lacks draws nothing), drawing switches, the queued
// labels, image saving, and the window commands Return (quit), Alt+v (position, or what a
// drawing's readout tells about it), Alt+s and Alt+Shift+s (save as GIF or PNG).
#ifndef HYX_PLOT_H
#define HYX_PLOT_H

#include "HYX/ColorBar.h"
#include "HYX/ColorKey.h"
#include "HYX/ColorMap.h"
#include "HYX/Date.h"
#include "HYX/DrawSwitch.h"
#include "HYX/Export.h"
#include "HYX/Graph.h"
#include "HYX/LineCrop.h"
#include "HYX/Listener.h"
#include "HYX/Panel.h"
#include "HYX/PlotDevice.h"
#include "HYX/PlotLabels.h"
#include "HYX/String.h"
#include "HYX/Timezone.h"

#include <array>
#include <memory>

namespace HYX {

class EarthPoints;
class Image;
class PlotAttr;
class Readout;

class HYX_API Plot : public Listener {
public:
    static constexpr int MAX_PANEL = 16;
    static constexpr int NUM_DRAW = DrawSwitch::NUM;
    static constexpr int MAX_LABEL = PlotLabels::MAX_LABEL;
    static constexpr int COLOR_TABLE_SIZE = 512;
    static constexpr const char* DEFAULT_COLOR_TABLE = "hyx.clr";
    // Drawing switches.
    enum Draw {
        DRAW_PLOT = 0,
        DRAW_DATA = 1,
        DRAW_GRID = 2,
        DRAW_TEXT_UL = 3,
        DRAW_TEXT_UC = 4,
        DRAW_TEXT_UR = 5,
        DRAW_TEXT_LL = 6,
        DRAW_TEXT_LC = 7,
        DRAW_TEXT_LR = 8,
        DRAW_BORD = 9
    };
    // Page rectangle of a panel set for a drawing's own domain.
    static constexpr float PANEL_YMIN = 0.04f;
    static constexpr float PANEL_YMAX = 0.96f;

    Plot();
    explicit Plot(const char* param);
    ~Plot() override;
    Plot(const Plot&) = delete;
    Plot& operator=(const Plot&) = delete;

    // ---- lifecycle
    void init();
    int open(const char* param);
    int open() { return open(nullptr); }
    // A device made elsewhere (an embedding program, a test) that the next open uses
    // instead of the one the resources name; kind is a Graph device kind.
    int setDevice(std::unique_ptr<Device> dev, int kind);
    int close();
    int clear();
    int clearRect(Rect& r) { return graph.clearRect(r); }
    int update();
    int manage();
    int addCallback(const char* type, Listener* l, const void* arg = nullptr);
    void callback(const char* type, const char* data, const void* arg) override;
    bool isOpen() const { return graph.isOpen(); }
    // Why the plot could not do what was asked, as an exit code: Hyx::NOINPUT for a device
    // string that names no device or whose items its device refuses, Hyx::NOWRITE for a
    // file or output image that could not be written; 0 when nothing failed.
    int getError() const { return error; }
    Graph& getGraph() { return graph; }
    // What Alt+v prints in place of the position line (then shown at debug level 1): the
    // drawing drawn last says what lies under the pointer. Null for the position line.
    void setReadout(std::shared_ptr<const Readout> r) { readout = std::move(r); }

    // Device choice from the "device" resource, a "de=" item of param or the "inter"
    // prompt: the device name for Graph::setDevice and its parameter string; the result
    // is the Graph device kind.
    static int selectDevice(const char* param, String& name, String& dev_param) {
        return PlotDevice::select(param, name, dev_param);
    }
    // "WxH[+-]X[+-]Y" (2), "WxH" (1), "[+-]X[+-]Y" (3, size missing); 0 otherwise.
    static int decodeGeometryStr(const char* str, float& w, float& h, float& x, float& y) {
        return PlotDevice::decodeGeometry(str, w, h, x, y);
    }
    int setParam(const char* str);

    // ---- panels and domains
    int initPanel();
    int setPanel(const Rect& r, float aspect, int halign, int valign);
    int setPanel(const Rect& r, float aspect) { return setPanel(r, aspect, 2, 2); }
    int setPanel(const Rect& r) { return setPanel(r, 0.0f, 2, 2); }
    int setPanel();
    int setPanel(const Rect& r, const Domain& d);
    int setPanel(const Domain& d);
    int setPanel(int i);
    int setDomain(const Rect& r, float aspect, int halign, int valign) {
        return setPanel(r, aspect, halign, valign);
    }
    int setDomain(const Rect& r, float aspect) { return setPanel(r, aspect); }
    int setDomain(const Rect& r) { return setPanel(r); }
    int setDomain() { return setPanel(); }
    int setDomain(const Rect& r, const Domain& d) { return setPanel(r, d); }
    int setDomain(const Domain& d) { return setPanel(d); }
    int setDomain(const DomainVal& v) { return setPanel(Domain(v)); }
    int setDomain(int i) { return setPanel(i); }
    int setPanelDomain(int i, const Domain& d);
    int getPanelDomain(int i, Domain& d) const;
    int getCurPanel() const { return cur_panel; }
    int getNumPanel() const { return num_panel; }
    const Panel& getPanel(int i) const;

    const Domain& getDomain() const { return panels[cur_panel].domain; }
    DomainVal getDomainVal() const { return getDomain().get(); }
    int getProj() const { return getDomain().proj; }
    // Height of the domain's limits (plot units): the base of text sizes.
    float getDomVert() const;
    float getVert() const { return getDomVert(); }
    float getDomAspect() const { return getDomain().getAspect(); }
    float getDomCLat() const { return getDomain().clat; }
    float getDomCLon() const { return getDomain().clon; }
    int getDomNx() const { return getDomain().nx; }
    int getDomNy() const { return getDomain().ny; }
    float getDomDx() const { return getDomain().dx; }
    float getDomDy() const { return getDomain().dy; }
    bool withinDomain(const Point& p) const { return getDomain().within(p); }
    bool withinDomain(const EarthPoint& e) const { return getDomain().within(e); }
    bool withinDomainExt(const Point& p, int ext) const;
    bool withinDomainExt(const EarthPoint& e, int ext) const;
    int whereDomain(const Point& p) const { return getDomain().where(p); }
    int whereDomain(const EarthPoint& e) const;
    float adjustDir(float dir, const Point& p) const { return getDomain().adjustDir(dir, p); }

    int tran(const EarthPoint& e, Point& p) const { return getDomain().tran(e, p); }
    int tran(const GridPoint& g, Point& p) const { return getDomain().tran(g, p); }
    int tran(const Point& p, EarthPoint& e) const { return getDomain().tran(p, e); }
    int tran(const Point& p, GridPoint& g) const { return getDomain().tran(p, g); }
    int tran(const EarthPoint& e, GridPoint& g) const { return getDomain().tran(e, g); }
    int tran(const GridPoint& g, EarthPoint& e) const { return getDomain().tran(g, e); }
    // A device point to window coordinates of the panel holding it (1), or to NDC (0).
    int tranPlotWindow(float x, float y, float& wx, float& wy) const;
    // The current domain with one grid point per device unit of the viewport.
    int getViewDomain(Domain& d) const;

    int activateTran(int t) { return graph.activateTran(t); }
    int getTran() const { return graph.getTran(); }
    int setViewport(int t, Rect r) { return graph.setViewport(t, r); }
    int setWindow(int t, Rect r) { return graph.setWindow(t, r); }
    int getWindow(Rect& r) const { return graph.getWindow(r); }
    int getViewport(Rect& r) const { return graph.getViewport(r); }
    int tranWindow(int t1, Point& in, int t2, Point& out) const {
        return graph.tranWindow(t1, in, t2, out);
    }

    // ---- colours
    ColorMap getColorMap() const { return colormap; }
    // Table index of a colour name; -1 (no colour) when the table lacks it.
    int getColorInd(const char* name) { return colormap.getInd(name); }
    int getColorValue(const char* name);
    int getColorRGB(int i, float* r, float* g, float* b) const {
        return colormap.getRGB(i, r, g, b);
    }
    int allocColor(int i);
    int setColorMap(ColorMap& m);

    // ---- attributes (colour indexes below 0 draw nothing of that kind)
    int setLineColor(const char* name) { return setLineColor(colormap.getInd(name)); }
    int setLineColor(int i) { return useColor(Device::LINE, i); }
    int setLineWidth(float w) { return graph.setLineWidth(w); }
    int setLineStyle(int s) { return graph.setLineStyle(s); }
    int setLine();
    int setLine(PlotAttr& a);
    int setLine(const char* attr);
    int setFillColor(const char* name) { return setFillColor(colormap.getInd(name)); }
    int setFillColor(int i) { return useColor(Device::FILL, i); }
    int setFillStyle(int s) { return graph.setFillStyle(s); }
    int setFill();
    int setFill(PlotAttr& a);
    int setFill(const char* attr);
    int setTextColor(const char* name) { return setTextColor(colormap.getInd(name)); }
    int setTextColor(int i) { return useColor(Device::TEXT, i); }
    int setTextAlign(int h, int v) { return graph.setTextAlign(h, v); }
    int setTextHeight(float h) { return graph.setTextHeight(h); }
    int setTextWidth(float w) { return graph.setTextWidth(w); }
    int setTextExpansion(float e) { return graph.setTextExpansion(e); }
    int setTextSpacing(float s) { return graph.setTextSpacing(s); }
    int setTextCharWidth(float w) { return graph.setTextCharWidth(w); }
    int setTextDirection(float upx, float upy) { return graph.setTextDirection(upx, upy); }
    int setFont(const char* name) { return graph.setFont(name); }
    int setDropShadow(int n) { return graph.setDropShadow(n); }
    int getDropShadow() const { return graph.getDropShadow(); }
    int setText();
    int setText(PlotAttr& a);
    int setText(PlotAttr& a, float scale);
    int setText(const char* attr);
    int setMarkColor(const char* name) { return setMarkColor(colormap.getInd(name)); }
    int setMarkColor(int i) { return useColor(Device::MARK, i); }
    int setMarkType(int t) { return graph.setMarkType(t); }
    int setMarkType(const char* name);
    int setMarkWidth(float w) { return graph.setMarkWidth(w); }
    int setMarkSize(float s) { return graph.setMarkSize(s); }
    int setMark();
    int setMark(PlotAttr& a);
    int setMark(PlotAttr& a, float scale);
    int setMark(const char* attr);
    int getLineColor() const { return line_color; }
    int getFillColor() const { return fill_color; }
    int getTextColor() const { return text_color; }
    int getMarkColor() const { return mark_color; }
    int setSymbol(const char* file) { return graph.setSymbol(file); }
    int drawSymbol(Point p, const char* name, float size) {
        return text_color < 0 ? 0 : graph.drawSymbol(p, name, size);
    }
    int setImageAlign(int h, int v) { return graph.setImageAlign(h, v); }
    int setCursor(int c) { return graph.setCursor(c); }
    int message(const char* fmt, ...) __attribute__((format(printf, 2, 3)));

    // ---- drawing (window coordinates of the current transformation)
    int drawLine(float x1, float y1, float x2, float y2);
    int drawLine(const Point& a, const Point& b) { return drawLine(a.x, a.y, b.x, b.y); }
    int drawLine(const EarthPoint& a, const EarthPoint& b);
    int drawLine(const GridPoint& a, const GridPoint& b);
    int drawLine(const Points& pts);
    int drawLine(const EarthPoints& pts);
    int drawRect(const Rect& r);
    int drawRect(float x1, float y1, float x2, float y2) { return drawRect(Rect(x1, y1, x2, y2)); }
    int drawCircle(const Point& p, float r);
    int drawCircle(const EarthPoint& e, float r);
    int drawFill(const Points& pts);
    int drawFill(const EarthPoints& pts);
    int drawFill(const Rect& r);
    int drawFillarea(const Points& pts) { return drawFill(pts); }
    int drawText(float x, float y, const char* str);
    int drawText(const Point& p, const char* str) { return drawText(p.x, p.y, str); }
    int drawText(const EarthPoint& e, const char* str);
    int drawText(const GridPoint& g, const char* str);
    int drawFormText(const Point& p, const char* fmt, ...) __attribute__((format(printf, 3, 4)));
    int drawFormText(const EarthPoint& e, const char* fmt, ...)
        __attribute__((format(printf, 3, 4)));
    // The rectangle a line of text drawn at p with the attributes in force would cover.
    Rect getTextBox(const Point& p, const char* str) const {
        return graph.getTextBox(p.x, p.y, str);
    }
    int drawMark(float x, float y);
    int drawMark(const Point& p) { return drawMark(p.x, p.y); }
    int drawMark(const EarthPoint& e);
    int drawMark(const GridPoint& g);
    int drawImage(Image& img);
    int drawImage(Image& img, int color);
    int drawImage(Image& img, float x, float y) { return graph.drawImage(img, x, y); }
    int drawImage(Image& img, int color, float x, float y) {
        return graph.drawImage(img, color, x, y);
    }
    int drawImage(const char* file, float x, float y);
    int drawImage(const char* file, float x, float y, const char* align);
    int getImage(Image& img);
    int drawBorder();
    // Saves the device picture: type "GIF" or "PNG"; the one-argument form takes the type
    // from the name's last three characters.
    int saveImage(const char* file, const char* type);
    int saveImage(const char* file);

    // Date-line cropping of latitude-longitude lines (projection 2 only); 1 when changed.
    int cropLine(Point& a, Point& b) const {
        return getProj() == Domain::LATLON ? LineCrop::crop(a, b) : 0;
    }
    int cropLine(Points& pts) const {
        return getProj() == Domain::LATLON ? LineCrop::crop(pts) : 0;
    }

    // ---- frames and settings
    int newFrame();
    int clearFrame();
    int deleteFrame(int f) { return graph.deleteFrame(f); }
    int deleteAllFrames();
    int getNumFrames() const { return graph.getNumFrames(); }
    int setFull(int f) {
        full = f;
        return 1;
    }
    int getFull() const { return full; }
    int getOutput() const { return output; }
    const char* getTitle() const { return title; }
    int setDataSource(const char* name);
    const char* getDataSource() const { return source; }
    int setDate(const Date& d) {
        date = d;
        return 1;
    }
    const Date& getDate() const { return date; }
    int setForeHour(float h) {
        fore_hour = h;
        return 1;
    }
    float getForeHour() const { return fore_hour; }
    int setTimeSync(bool b) {
        time_sync = b;
        return 1;
    }
    bool getTimeSync() const { return time_sync; }
    int setLogo(const char* str) { return logo.copy(str ? str : ""); }
    const String& getLogo() const { return logo; }
    const Timezone& getTimezone() const { return tz; }
    const String& getColorLabel() const { return color_label; }
    const String& getBarParam() const { return bar_param; }
    const char* getTransColor() const { return trans_color; }
    int getDevice(String& name) { return graph.getDevice(name); }
    bool getInverse() const { return graph.getInverse(); }
    // The colour drawn by default: white, or black in inverse video. With the ground rule on,
    // black wherever the ground is light: on paper and on a light window background.
    const char* getForeground() const {
        return (ground_foreground ? graph.isLightGround() : getInverse()) ? "black" : "white";
    }
    void setGroundForeground(bool on) { ground_foreground = on; }
    int setFixed(bool b) { return graph.setFixed(b); }
    int setDrawing(const char* str) { return draw.set(str); }
    bool isDrawing(int i) const { return draw.isOn(i); }
    void printDrawing() const { draw.print(); }

    // ---- the label queue: every drawing's labels go one line (layer) further out
    int setLabelColor(const char* str) { return color_label.copy(str ? str : ""); }
    int setLabelFormat(const char* str) { return labels.setFormat(str); }
    int addLabel(const char* locate, const char* text) { return labels.add(locate, text); }
    int setLabel(const char* locate, const char* text) { return labels.set(locate, text); }
    // Clears the label bands above and below the plot on the device and empties the queue.
    int clearLabels();
    int done() { return labels.done(); }
    int getLayer() const { return labels.getLayer(); }
    int getNumLabel() const { return labels.getNum(); }
    const PlotLabel& getLabel(int i) const { return labels.get(i); }
    const PlotLabels& getLabels() const { return labels; }
    static int getLabelPosIndex(const char* locate) { return PlotLabels::getPosIndex(locate); }
    void printLabels() const { labels.print(); }

    // ---- label lines, colour bar and logo around the plot (PlotLabelDraw.cpp)
    // Copies in to out (at most size - 1 characters) replacing "_" by a blank and the
    // escapes %D %V %Y %y %m %d %h %n %b %f %F and %%.
    int formatLabel(const char* in, char* out, int size) const;
    // The queued labels and the stand-alone ones of the "label" resource, line by line
    // above and below the plot, then the colour bar and the logo.
    int drawLabels();
    int setBar(const ColorFill& f, const Range& r);
    int setBar(const ColorFill& f);
    int setBarLocate(const char* loc) { return cbar.setLocate(loc); }
    int setBarRange(const Range& r) { return cbar.setRange(r); }
    int drawBar();
    int drawBar(const Range& r);
    bool getBar() const { return bar != 0; }
    // The colour bar drawn as a key in a rectangle of the page of its own (boxes stacked
    // upward, levels beside them, units above) instead of under the plot; until init.
    void setBarKey(const Rect& area, const char* units) { color_key.set(area, units); }
    const ColorKey& getBarKey() const { return color_key; }
    const ColorBar& getColorBar() const { return cbar; }

private:
    // Chooses and creates the device; 0 when the device string is refused.
    int chooseDevice(const char* param);
    int deviceColor(int i);
    // Makes table index i the colour of a primitive kind; 1 when it is a colour.
    int useColor(int kind, int i);
    int attrColor(PlotAttr& a, int current);
    int drawRuns(const Points& pts);
    int drawLinePoints(const Points& pts);
    int queryPosition(const char* pos);
    int saveFrames(const char* ext, const char* type);
    int saveOutput();
    int drawLogo();

    Graph graph;
    ColorMap colormap;
    String color_label;
    std::array<Panel, MAX_PANEL> panels;
    int cur_panel = 0;
    int num_panel = 0;
    int full = 0;
    int output = 0;
    DrawSwitch draw;
    char title[80] = {};
    int line_color = -1;
    int fill_color = -1;
    int text_color = -1;
    int mark_color = -1;
    char trans_color[20] = {};
    // The label queue with its layer counter and label format.
    PlotLabels labels;
    int bar = 0;
    String bar_param; // colour bar parameters from a "bar" item, for the colour bar
    ColorBar cbar;
    ColorKey color_key;
    String logo;
    bool time_sync = false;
    char source[10] = {};
    float fore_hour = Const::FMISS;
    Date date;
    Timezone tz;
    // A device given with setDevice, used by the next open.
    std::unique_ptr<Device> preset;
    int preset_kind = 0;
    // Return was pressed inside the event loop: close once the loop has ended.
    bool closing = false;
    int error = 0;
    // The default colour follows the ground rather than inverse video alone (kept by init).
    bool ground_foreground = false;
    std::shared_ptr<const Readout> readout;
};

} // namespace HYX

#endif
