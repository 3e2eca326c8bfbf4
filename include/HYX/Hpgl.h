// The pen-plotter device: writes the picture as HP-GL/2 commands to a file, to a pipe
// ("|command") or appended to a file ("+name"), optionally wrapped in PCL for laser printers
// and rotated. It draws polylines and filled polygons; text reaches it as stroke-font
// polylines. Plot coordinates are plotter units with y up; colours are kept but not sent,
// since pens are loaded by the operator.
#ifndef HYX_HPGL_H
#define HYX_HPGL_H

#include "HYX/Export.h"
#include "HYX/PageDevice.h"

namespace HYX {

class HYX_API Hpgl : public PageDevice {
public:
    static constexpr float UNITS_PER_INCH = 1015.0f;
    // PCL wrapping.
    enum Pcl { PLAIN = 0, PCL = 1, LASERJET = 2 };

    Hpgl() : PageDevice("Hpgl", true) { init(); }
    ~Hpgl() override { close(); }

    int init() override;
    int setParam(const char* param) override;
    int drawLine(int type, float x1, float y1, float x2, float y2) override;
    int drawLine(int type, Points& pts) override;
    int drawFill(int type, Points& pts) override;
    // A pen plotter has no raster output: images are not drawn.
    int drawImage(Image&, float, float) override { return 0; }
    using PageDevice::drawImage;
    int setClip(float x1, float y1, float x2, float y2) override;
    using PageDevice::setClip;
    // Written as an HP-GL/2 comment.
    int message(const char* str) override;

    int getPcl() const { return pcl; }
    bool isColor() const { return color != 0; }
    int getRotate() const { return rotate; }
    float getScale() const { return scale; }

private:
    void writeHeader() override;
    void writeTrailer() override;
    void outputAttr(int type);
    void outputPath(const Points& pts);

    int pcl = 0;
    int color = 0;
    int rotate = 0;
    float scale = 1.0f;
};

} // namespace HYX

#endif
