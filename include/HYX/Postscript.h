// The PostScript device: writes the picture as a PostScript program (or encapsulated
// PostScript) to a file, to a pipe ("|command") or appended to a file ("+name"), in
// landscape or portrait, in colour or grey. It draws lines, filled polygons and raster
// images; text reaches it as stroke-font polylines. Plot coordinates are points with y up.
#ifndef HYX_POSTSCRIPT_H
#define HYX_POSTSCRIPT_H

#include "HYX/Export.h"
#include "HYX/PageDevice.h"

#include <string>

namespace HYX {

class HYX_API Postscript : public PageDevice {
public:
    static constexpr float POINTS_PER_INCH = 72.0f;

    Postscript() : PageDevice("Postscript", true) { init(); }
    ~Postscript() override { close(); }

    int init() override;
    int setParam(const char* param) override;
    // A width of 0 means 1.
    int setLineWidth(int type, float w) override;
    int drawLine(int type, float x1, float y1, float x2, float y2) override;
    int drawLine(int type, Points& pts) override;
    int drawFill(int type, Points& pts) override;
    int drawImage(Image& img, float px, float py) override;
    using PageDevice::drawImage;
    int setClip(float x1, float y1, float x2, float y2) override;
    using PageDevice::setClip;
    int message(const char* str) override;

    bool isEps() const { return eps != 0; }
    bool isColor() const { return color != 0; }
    bool isPortrait() const { return orient == 1; }
    float getScale() const { return scale; }

private:
    void writeHeader() override;
    void writeTrailer() override;
    // These append to out: a primitive is written to the file in one piece.
    void outputColor(int value, std::string& out) const;
    void outputAttr(int type, std::string& out) const;
    static void outputPath(const Points& pts, std::string& out);
    // The text of one primitive, emptied for the next (its room is kept).
    std::string& primitive() {
        text.clear();
        return text;
    }

    // The attributes last written for each kind of primitive, and their text: most
    // primitives repeat those of the one before.
    struct Attrs {
        bool set = false;
        int color = 0, style = 0, rgb = 0;
        float width = 0.0f;
        std::string text;
    };
    mutable Attrs last[TEXT + 1];

    int eps = 0;
    int color = 0;
    int orient = 0;
    float scale = 1.0f;
    std::string text;
};

} // namespace HYX

#endif
