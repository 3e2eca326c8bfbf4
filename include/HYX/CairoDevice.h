// The file devices drawn with cairo: anti-aliased lines and fills, images and clipping on a
// raster picture (PNG, GIF) or a vector page (PDF, SVG, EPS). Like colour PostScript they are
// paper devices (inverse: black on white), take text as stroke-font polylines and keep plot
// coordinates with y up, so that each picture is the same drawing as the PostScript page. The
// picture is built in memory; its file is written whole when the device closes.
#ifndef HYX_CAIRODEVICE_H
#define HYX_CAIRODEVICE_H

#include "HYX/Export.h"
#include "HYX/PageDevice.h"

#include <functional>
#include <string>
#include <vector>

struct _cairo;
struct _cairo_surface;

namespace HYX {

class HYX_API CairoDevice : public PageDevice {
public:
    enum Format { PNG, GIF, PDF, SVG, EPS };
    // Width of a line of width 1 in points, as on the PostScript page.
    static constexpr float DOT = 0.33f;
    // The PostScript page the other sizes are measured against (points, landscape).
    static constexpr float PAGE_W = 756.0f;
    static constexpr float PAGE_H = 576.0f;

    ~CairoDevice() override;
    CairoDevice(const CairoDevice&) = delete;
    CairoDevice& operator=(const CairoDevice&) = delete;

    int init() override;
    // "FILE,item,...": the output name (an empty one keeps hyx.<format>), then color, gray,
    // port, land, lwidth=N and the items of the format. Anything else gives one message
    // naming the file and the item and the result 0; the device then refuses to open.
    int setParam(const char* param) override;
    int open() override;
    int close() override;
    // A width of 0 means 1.
    int setLineWidth(int type, float w) override;
    int drawLine(int type, float x1, float y1, float x2, float y2) override;
    int drawLine(int type, Points& pts) override;
    int drawFill(int type, Points& pts) override;
    // One image pixel per plot unit, placed against the anchor by the alignment (h 1 left,
    // 2 centre, 3 right; v 1 bottom, 2 centre, 3 top; upper left by default).
    int setImageAlign(int h, int v) override;
    int drawImage(Image& img, float px, float py) override;
    // The same with the pixels of palette index color left out.
    int drawImage(Image& img, int color, float px, float py) override;
    int setClip(float x1, float y1, float x2, float y2) override;
    using PageDevice::setClip;
    int message(const char*) override { return 1; }

    Format getFormat() const { return format; }
    const char* getFormatName() const;
    bool isColor() const { return color; }
    bool isPortrait() const { return orient == 1; }

protected:
    CairoDevice(Format f, const char* device);

    // A format's own parameter item: 1 taken, 0 not one of its items, -1 a bad value (the
    // message is given).
    virtual int setOption(const char* item) = 0;
    // The items setOption takes, for the message about an unknown one.
    virtual const char* optionList() const = 0;
    // The surface to draw on, for a surface of width by height plot units; null on failure.
    virtual _cairo_surface* makeSurface() = 0;
    // Writes the finished picture to the output file; false when it could not.
    virtual bool writePicture(_cairo_surface* surface) = 0;
    // Device units per point and the thinnest line drawn, for widths and dashes.
    virtual double unitsPerPoint() const { return 1.0; }
    virtual double thinnestLine() const { return 0.0; }
    virtual bool antialias() const { return true; }
    // Whether clip rectangles are widened to whole device units.
    virtual bool alignClip() const { return false; }
    // Width of the edge drawn around each filled polygon in its own colour; 0 for none.
    virtual double fillEdge() const { return 0.5; }

    const char* outputName() const override { return path.c_str(); }
    // One message line about the device string, naming the output file.
    void paramError(const char* fmt, const char* item) const;
    // Parses "WxH" as two positive numbers; false for anything else.
    static bool parseSize(const char* text, float& w, float& h);
    // One parameter item after the file name.
    void setItem(const char* item);
    // Draws without an output file (a picture only read back with getImage).
    void setOffscreen() { offscreen = true; }
    _cairo_surface* getSurface() const { return surface; }
    // Draws the lines still waiting to be stroked together.
    void flushStrokes();
    // Whether the drawing steps are kept, to be played again onto the finished page.
    virtual bool keepsSteps() const { return false; }
    // Draws every kept step again with c.
    void replay(_cairo* c) const;

    Format format;
    std::string path;
    bool color = true;
    int orient = -1; // 1 portrait, 0 landscape, -1 as the size is given

private:
    // The colour, width and dashes of one primitive, as drawn.
    struct Pen {
        double r = 0, g = 0, b = 0;
        double width = 0;
        int dashes = 0;
        double dash[4] = {};
        bool operator==(const Pen& o) const;
    };
    // One drawing step, self-contained but for the clip the steps before it set.
    using Step = std::function<void(_cairo*)>;

    void writeHeader() override;
    void writeTrailer() override;
    bool startPicture();
    void endPicture();
    // Line joins, caps and anti-aliasing of a drawing context.
    void prepare(_cairo* c) const;
    void perform(Step step);
    Pen penOf(int value) const;
    Pen strokeOf(int type);
    std::vector<double> pathOf(const Points& pts) const;
    // Lines of one pen are stroked as one path: a cross section draws thousands of short
    // lines, and each stroke of its own costs cairo a pass over the lines' extent.
    void queueStroke(const Pen& p, std::vector<double> xy);
    static void stroke(_cairo* c, const Pen& p, const std::vector<std::vector<double>>& paths);
    int paintImage(Image& img, int color, float px, float py);

    _cairo_surface* surface = nullptr;
    _cairo* cr = nullptr;
    bool bad_param = false;
    bool offscreen = false;
    int image_halign = 1;
    int image_valign = 3;
    int dash_style = 1;
    std::vector<Step> steps;
    Pen queued_pen;
    std::vector<std::vector<double>> queued;
};

} // namespace HYX

#endif
