// The pen-plotter device: writes the picture as HP-GL/2 commands to a file, to a pipe
// ("|command") or appended to a file ("+name"), optionally wrapped in PCL for laser printers
// and rotated. It draws polylines and filled polygons; text reaches it as stroke-font
// polylines. Plot coordinates are plotter units with y up.
#ifndef HYX_HPGL_H
#define HYX_HPGL_H

#include "HYX/Device.h"
#include "HYX/File.h"
#include "HYX/GeomBox.h"
#include "HYX/Listener.h"

namespace HYX {

class Hpgl : public Device, public Listener {
public:
    static constexpr float UNITS_PER_INCH = 1015.0f;
    // PCL wrapping.
    enum Pcl { PLAIN = 0, PCL = 1, LASERJET = 2 };

    Hpgl() { init(); }
    ~Hpgl() override { close(); }
    Hpgl(const Hpgl&) = delete;
    Hpgl& operator=(const Hpgl&) = delete;

    int init() override;
    int setParam(const char* param) override;
    int open() override;
    int getDevice(String& name) override;
    int resize(float, float) override { return 1; }
    int manage() override { return 1; }
    int unmanage() override { return 1; }
    int addCallback(const char*, Listener*, const void*) override { return 1; }
    int doCallback(const char*, const char*) override { return 1; }
    void callback(const char*, const char*, const void*) override {}
    int close() override;
    int update() override { return 1; }
    int clear() override { return 1; }
    int clearRect(Rect&) override { return 1; }
    int setTitle(const char* str) override;
    int setIcon(bool) override { return 1; }
    int setFixed(bool) override { return 1; }
    int setInverse(bool b) override {
        inverse = b;
        return 1;
    }
    bool getInverse() override { return inverse; }
    int setBackground(const char*) override { return 1; }
    // Sizes and offsets arrive in hundredths of an inch.
    int setSize(float w, float h) override;
    int getSize(float& w, float& h) override;
    float getWidth() override { return width; }
    float getHeight() override { return height; }
    int setOffset(float px, float py) override;
    int getOffset(float& px, float& py) override;
    int getCoords(Rect& r) override;
    Rect getCoords() override;
    // The packed value (r << 16) + (g << 8) + b; pens are not chosen by colour.
    int allocColor(float r, float g, float b) override;
    int setColor(int type, int ind) override;
    int setLineWidth(int type, float w) override;
    int setLineStyle(int type, int style) override;
    int setFillStyle(int type, int style) override;
    int drawLine(int type, float x1, float y1, float x2, float y2) override;
    int drawLine(int type, Points& pts) override;
    int drawFill(int type, Points& pts) override;
    int setImageAlign(int, int) override { return 1; }
    // A pen plotter has no raster output: images are not drawn.
    int drawImage(Image&, float, float) override { return 0; }
    int drawImage(Image&, int, float, float) override { return 0; }
    int getImage(Image& img) override;
    int setFont(const char*) override { return 1; }
    int setTextAlign(int, int) override { return 1; }
    int drawText(Point&, const char*) override { return 1; }
    Rect getClip() override;
    int setClip(float x1, float y1, float x2, float y2) override;
    int setClip(Rect r) override { return setClip(r.xmin, r.ymin, r.xmax, r.ymax); }
    int setCursor(int) override { return 1; }
    int copyFrame(int, int) override { return 1; }
    int displayFrame(int) override { return 1; }
    int clearFrame(int) override { return 1; }
    int newFrame(int) override { return 1; }
    int newFrame() override { return 1; }
    bool isLooping() override { return false; }
    int getFrame() override { return 0; }
    int setFrame(int) override { return 1; }
    int incFrame(int) override { return 1; }
    int deleteFrame(int) override { return 1; }
    int getNumFrames() override { return 0; }
    // Written as an HP-GL/2 comment.
    int message(const char* str) override;
    int bell(int) override { return 1; }

    bool isOpen() const { return opened; }
    const char* getFilename() const { return filename; }
    int getPcl() const { return pcl; }
    bool isColor() const { return color != 0; }
    int getRotate() const { return rotate; }
    float getScale() const { return scale; }
    float getBaseWidth() const { return base_width; }

private:
    void writeHeader();
    void outputAttr(int type);
    void outputPath(const Points& pts);

    File file;
    bool inverse = false;
    float width = 0;
    float height = 0;
    float x = 0;
    float y = 0;
    int fixed = 0;
    bool icon = false;
    bool opened = false;
    char name[30] = {};
    char filename[60] = {};
    char title[60] = {};
    int append = 0;
    int pcl = 0;
    int color = 0;
    int rotate = 0;
    float scale = 1.0f;
    int fore_color = 0;
    int back_color = 0;
    GeomBox clip;
    float base_width = 1.0f;
    int line_bold = 1;
    int line_color = 0;
    int line_style = 1;
    float line_width = 1.0f;
    int text_color = 0;
    float text_width = 1.0f;
    int fill_color = 0;
    int fill_style = 0;
    int mark_color = 0;
    float mark_width = 1.0f;
};

} // namespace HYX

#endif
