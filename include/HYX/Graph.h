// The device-independent drawing context: owns one output device, keeps four coordinate
// transformations (one current) and the drawing attributes, and turns drawing calls in
// window coordinates into device calls in plot coordinates. Text is drawn with a stroke
// font or, when asked, with the device's own fonts; symbols come from a symbol file.
#ifndef HYX_GRAPH_H
#define HYX_GRAPH_H

#include "HYX/Device.h"
#include "HYX/Export.h"
#include "HYX/GFont.h"
#include "HYX/GTran.h"
#include "HYX/GraphAttr.h"
#include "HYX/Listener.h"
#include "HYX/Points.h"
#include "HYX/Rect.h"
#include "HYX/Symbol.h"

#include <array>
#include <initializer_list>
#include <memory>

namespace HYX {

class Image;
class RGB;
class String;

class HYX_API Graph : public Listener, public GraphAttr {
public:
    static constexpr int NUM_TRAN = 4;
    // Device kinds.
    enum DeviceKind {
        NO_DEVICE = 0,
        XWINDOW = 1,
        POSTSCRIPT = 2,
        HPGL = 3,
        META = 4,
        PNG = 5,
        GIF = 6,
        PDF = 7,
        SVG = 8,
        EPS = 9
    };
    // Font kinds.
    enum FontType { STROKE_FONT = 1, DEVICE_FONT = 2, SCALED_FONT = 3 };
    // Mark shapes.
    enum Mark {
        MARK_POINT = 1,
        MARK_PLUS,
        MARK_STAR,
        MARK_CIRCLE,
        MARK_CROSS,
        MARK_SQUARE,
        MARK_TRIANGLE,
        MARK_DOT,
        MARK_ITRIANGLE,
        MARK_LIGHTNING
    };
    static constexpr float LINE_SPACING = 1.3f; // line advance in text heights
    static constexpr int MAX_TEXT_LINE = 99;

    Graph();
    Graph(const char* device, const char* param);
    ~Graph() override;
    Graph(const Graph&) = delete;
    Graph& operator=(const Graph&) = delete;

    // Device kind by exact name: "postscript", "hpgl", "meta", and the picture devices "png",
    // "gif", "pdf", "svg", "eps"; anything else a window.
    static int getDeviceKind(const char* name);
    int setDevice(const char* device, const char* param);
    // Uses a device made elsewhere, with the parameter string handled as for a named one.
    // Both give the device's answer to its parameters (0: it refuses them and will not open).
    int setDevice(std::unique_ptr<Device> dev, int kind, const char* param = nullptr);
    int getDeviceType() const { return device; }
    bool hasDevice() const { return window != nullptr; }
    int open();
    int open(const char* device, const char* param);
    bool isOpen() const { return opened; }
    // The device's own close: 0 when its output could not be completed.
    int close();
    // Closes without completing the device's output (a run that failed).
    int discard();
    int update();
    int manage();
    int unmanage();
    bool isManaged() const { return managed; }
    void callback(const char* type, const char* data, const void* arg) override;

    // Transformations (index 0..3).
    int setTran(int t);
    int activateTran();
    int activateTran(int t);
    int getTran() const { return ctran; }
    const GTran& getGTran(int t) const;
    int setViewport(Rect& r) { return setViewport(ctran, r); }
    int setViewport(int t, Rect& r);
    int getViewport(Rect& r) const;
    Rect getViewport() const { return tran[ctran].getViewport(); }
    int setWindow(Rect& r) { return setWindow(ctran, r); }
    int setWindow(int t, Rect& r);
    int getWindow(Rect& r) const;
    Rect getWindow() const { return tran[ctran].getWindow(); }
    int setViewportAspect(Rect& r, float aspect, int halign, int valign);
    int setViewportAspect(Rect& r, float aspect) { return setViewportAspect(r, aspect, 2, 2); }
    int getMaxViewport(Rect& r) const;
    Rect getMaxViewport() const { return tran[ctran].getNDC(); }
    int getDeviceViewport(Rect& r) const;
    Rect getDeviceViewport() const;
    int tranPlotView(float x, float y, float& nx, float& ny) const;
    int tranPlotWindow(float x, float y, float& wx, float& wy) const;
    int tranPlotWindow(Point& in, Point& out) const;
    int tranWindowPlot(float x, float y, float& px, float& py) const;
    int tranWindow(int t1, float x, float y, int t2, float& x2, float& y2) const;
    int tranWindow(int t1, Point& in, int t2, Point& out) const;
    void printTran() const;

    // Attributes; setters that reach the device skip values already in force.
    int setLineColor(int c);
    int setLineStyle(int s);
    int setLineWidth(float w);
    int setFillColor(int c);
    int setFillStyle(int s);
    int setTextColor(int c);
    int setTextWidth(float w);
    int setTextHeight(float h);
    int setTextExpansion(float e);
    int setTextSpacing(float s);
    int setTextCharWidth(float w);
    int setTextAlign(int h, int v);
    int setTextDirection(float upx, float upy);
    int setTextBoxColor(int c);
    int setTextBox(bool b);
    int setMarkColor(int c);
    int setMarkWidth(float w);
    int setMarkSize(float s);
    int setMarkType(int t);
    int setDropColor(int c);
    int setDropShadow(int n);
    int setDropWidth(int w);
    int getLineColor() const { return line_color; }
    int getLineStyle() const { return line_style; }
    float getLineWidth() const { return line_width; }
    int getFillColor() const { return fill_color; }
    int getFillStyle() const { return fill_style; }
    int getTextColor() const { return text_color; }
    float getTextWidth() const { return text_width; }
    float getTextHeight() const { return text_height; }
    float getTextExpansion() const { return text_expan; }
    float getTextSpacing() const { return text_char_space; }
    float getTextCharWidth() const { return text_char_width; }
    void getTextAlign(int& h, int& v) const {
        h = text_halign;
        v = text_valign;
    }
    void getTextDirection(float& upx, float& upy) const {
        upx = text_upx;
        upy = text_upy;
    }
    int getMarkColor() const { return mark_color; }
    float getMarkWidth() const { return mark_width; }
    float getMarkSize() const { return mark_size; }
    int getMarkType() const { return mark_type; }
    int getDropColor() const { return drop_color; }
    int getDropShadow() const { return drop_shadow; }
    int getDropWidth() const { return drop_width; }
    bool getHfont() const { return hfont != 0; }

    // Device pass-throughs.
    int setFixed(bool f);
    int setSize(float w, float h);
    int setOffset(float x, float y);
    int setInverse(bool b);
    bool getInverse() const;
    bool isLightGround() const;
    int setBackground(const char* colour);
    int setIcon(bool b);
    int setTitle(const char* title);
    int clear();
    int allocColor(float r, float g, float b);
    int allocColor(const RGB& c);
    int setImageAlign(int h, int v);
    int getImage(Image& img);
    bool isLooping() const;
    int getFrame() const;
    int setFrame(int f);
    int deleteFrame(int f);
    int getNumFrames() const;
    int newFrame();
    int setCursor(int c);
    int bell();
    int getDevice(String& name);
    int addCallback(const char* type, Listener* l, const void* arg);
    int doCallback(const char* type, const char* data);
    int message(const char* fmt, ...) __attribute__((format(printf, 2, 3)));

    // Drawing in window coordinates of the current transformation.
    int drawLine(float x1, float y1, float x2, float y2);
    int drawLine(Point& p1, Point& p2) { return drawLine(p1.x, p1.y, p2.x, p2.y); }
    int drawLine(Points& p);
    int drawRect(float x1, float y1, float x2, float y2);
    int drawRect(Rect& r) { return drawRect(r.xmin, r.ymin, r.xmax, r.ymax); }
    int drawCircle(float x, float y, float r);
    int drawCircle(Point& p, float r) { return drawCircle(p.x, p.y, r); }
    int drawFill(Points& p);
    int drawFillarea(Points& p) { return drawFill(p); }
    int drawFill(Rect& r);
    int clearRect(Rect& r);
    int drawMark(float x, float y);
    int drawMark(Point p) { return drawMark(p.x, p.y); }
    int drawText(float x, float y, const char* str);
    int drawText(Point p, const char* str) { return drawText(p.x, p.y, str); }
    int drawFormText(float x, float y, const char* fmt, ...) __attribute__((format(printf, 4, 5)));
    int drawFormText(Point p, const char* fmt, ...) __attribute__((format(printf, 3, 4)));
    // The rectangle (window coordinates) a line of stroke text drawn at (x, y) with the
    // attributes in force covers, from the bottom of its descenders to its cap line.
    Rect getTextBox(float x, float y, const char* str) const;
    int drawImage(Image& img, float x, float y);
    int drawImage(Image& img, int color, float x, float y);

    // Fonts and symbols.
    int setFont(const char* name);
    int setFontSpec();
    const char* getFontName() const { return font_name; }
    const char* getFontSpec() const { return font_spec; }
    int getFontType() const { return font_type; }
    const GFont& getFont() const { return font; }
    int setSymbol(const char* file);
    const Symbol& getSymbol() const { return symbol; }
    int drawSymbol(float x, float y, const char* name, float size);
    int drawSymbol(Point p, const char* name, float size) {
        return drawSymbol(p.x, p.y, name, size);
    }

private:
    // Sends an attribute of a primitive kind to the device unless it is already in force.
    template <class T> int mirror(T& field, T value, int (Device::*send)(int, T), int kind) {
        if (!window || value == field) return 0;
        ((*window).*send)(kind, value);
        field = value;
        return 1;
    }
    // Attributes that only Graph uses.
    template <class T> int store(T& field, T value) {
        if (!window) return 0;
        field = value;
        return 1;
    }
    void initClass();
    void init();
    bool validTran(int t) const { return t >= 0 && t < NUM_TRAN; }
    const GTran& cur() const { return tran[ctran]; }
    void toPlot(const Points& in);
    void plotUnit(float x, float y, float& dx, float& dy) const;
    int readFont(const char* file);
    int lookupFont(const char* name, char* spec, int size) const;
    void drawTextLine(float x, float y, const char* str);
    float textLineWidth(const char* str) const;
    void drawDeviceText(float x, float y, const char* str);
    void drawMarkAt(float x, float y);
    void markStroke(std::initializer_list<float> xy, float x, float y, float h);
    static void closeAtExit(void* self);

    bool opened = false;
    std::unique_ptr<Device> window;
    std::array<GTran, NUM_TRAN> tran;
    int ctran = 0;
    int font_type = STROKE_FONT;
    char font_name[40] = {};
    char font_spec[120] = {};
    GFont font;
    char symb_file[80] = {};
    Symbol symbol;
    Points pts;
    int device = NO_DEVICE;
    bool managed = false;
    bool fixed = true;
    int line_color = 1;
    float line_width = -1.0f;
    int line_style = 1;
    int fill_color = 1;
    int fill_style = 0;
    int hfont = 0;
    int text_color = 1;
    float text_width = 1.0f;
    float text_height = 0.01f;
    float text_expan = 1.0f;
    float text_char_space = 0.25f;
    float text_char_width = 0.0f;
    int text_halign = 0;
    int text_valign = 0;
    float text_upx = 0.0f;
    float text_upy = 1.0f;
    int text_box_color = 0;
    bool text_box = false;
    int drop_color = 1;
    int drop_shadow = 0;
    int drop_width = 0;
    int mark_type = MARK_POINT;
    float mark_size = 0.01f;
    float mark_width = 1.0f;
    int mark_color = 1;
};

} // namespace HYX

#endif
