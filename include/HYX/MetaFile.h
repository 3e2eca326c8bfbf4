// The metafile device: writes the picture as the suite's line-oriented vector metafile
// ("HYXMETA2"), one record per primitive or attribute change, to a file or appended to one
// ("+name"). Plot coordinates run from (0, 0) at the top left to the surface size.
#ifndef HYX_METAFILE_H
#define HYX_METAFILE_H

#include "HYX/Export.h"
#include "HYX/PageDevice.h"

namespace HYX {

class HYX_API MetaFile : public PageDevice {
public:
    static constexpr int WHITE = 0xFFFFFF;

    MetaFile() : PageDevice("MetaFile", false) { init(); }
    ~MetaFile() override { close(); }

    int init() override;
    int setParam(const char* param) override;
    // Inverse drawing does not apply to the metafile: setInverse is ignored.
    int setInverse(bool) override { return 1; }
    bool getInverse() override { return false; }
    // Sizes and offsets are kept as given: they are the metafile's own units.
    int setSize(float w, float h) override;
    int setOffset(float px, float py) override;
    // (0, 0)-(width, height): metafile y runs downward from the top.
    Rect getCoords() override;
    using PageDevice::getCoords;
    // Attribute records are written only when the value changes; a width of 0 or less
    // means 1.
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
    int setFont(const char* spec) override;
    int setTextAlign(int h, int v) override;
    int drawText(Point& pt, const char* str) override;
    // The clip rectangle as given, ordered.
    Rect getClip() override;
    int setClip(float x1, float y1, float x2, float y2) override;
    using PageDevice::setClip;
    int message(const char* str) override;

private:
    void writeHeader() override;
    void writeTrailer() override;
    void outputPoints(char tag, const Points& pts);
    int writeImage(Image& img, int trans, float px, float py);
};

} // namespace HYX

#endif
