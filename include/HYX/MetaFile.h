// The metafile device: writes the picture as the suite's line-oriented vector metafile
// ("HYXMETA2"), one record per primitive or attribute change, to a file or appended to one
// ("+name"). Plot coordinates run from (0, 0) at the top left to the surface size.
#ifndef HYX_METAFILE_H
#define HYX_METAFILE_H

#include "HYX/Device.h"
#include "HYX/File.h"
#include "HYX/GeomBox.h"
#include "HYX/Listener.h"

namespace HYX {

class MetaFile : public Device, public Listener {
public:
    static constexpr int WHITE = 0xFFFFFF;

    MetaFile() { init(); }
    ~MetaFile() override { close(); }
    MetaFile(const MetaFile&) = delete;
    MetaFile& operator=(const MetaFile&) = delete;

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
    int setInverse(bool) override { return 1; }
    bool getInverse() override { return false; }
    int setBackground(const char*) override { return 1; }
    // Sizes and offsets are kept as given: they are the metafile's own units.
    int setSize(float w, float h) override;
    int getSize(float& w, float& h) override;
    float getWidth() override { return width; }
    float getHeight() override { return height; }
    int setOffset(float px, float py) override;
    int getOffset(float& px, float& py) override;
    int getCoords(Rect& r) override;
    Rect getCoords() override;
    // The packed value (r << 16) + (g << 8) + b of the components scaled to 0..255.
    int allocColor(float r, float g, float b) override;
    // Attribute records are written only when the value changes.
    int setColor(int type, int ind) override;
    int setLineWidth(int type, float w) override;
    int setLineStyle(int type, int style) override;
    int setFillStyle(int type, int style) override;
    int drawLine(int type, float x1, float y1, float x2, float y2) override;
    int drawLine(int type, Points& pts) override;
    int drawFill(int type, Points& pts) override;
    int setImageAlign(int h, int v) override;
    int drawImage(Image& img, float px, float py) override;
    int drawImage(Image& img, int color, float px, float py) override;
    int getImage(Image& img) override;
    int setFont(const char* spec) override;
    int setTextAlign(int h, int v) override;
    int drawText(Point& pt, const char* str) override;
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
    int message(const char* str) override;
    int bell(int) override { return 1; }

    bool isOpen() const { return opened; }
    const char* getFilename() const { return filename; }

private:
    void outputPoints(char tag, const Points& pts);
    int writeImage(Image& img, int trans, float px, float py);

    File file;
    bool opened = false;
    float width = 0;
    float height = 0;
    float x = 0;
    float y = 0;
    char filename[120] = {};
    char title[60] = {};
    GeomBox clip;
    int line_color = WHITE;
    int line_style = 1;
    float line_width = 1.0f;
    int text_color = WHITE;
    float text_width = 1.0f;
    int fill_color = WHITE;
    int fill_style = 0;
    int mark_color = WHITE;
    float mark_width = 1.0f;
};

} // namespace HYX

#endif
