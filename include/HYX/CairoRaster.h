// Pictures in pixels drawn with cairo: PNG files, anti-aliased, and GIF files, drawn without
// anti-aliasing so that the picture keeps to the drawing's own colours and fits a GIF palette
// exactly. Line widths and dashes are those of the PostScript page scaled to the picture, at
// least one pixel wide. The rendered picture can be read back (getImage), so that a plot can
// save its output image without a window; an offscreen picture writes no file of its own.
#ifndef HYX_CAIRORASTER_H
#define HYX_CAIRORASTER_H

#include "HYX/CairoDevice.h"
#include "HYX/Export.h"
#include "HYX/Image.h"

#include <memory>

namespace HYX {

class HYX_API CairoRaster : public CairoDevice {
public:
    static constexpr int DEFAULT_WIDTH = 1200;
    static constexpr int DEFAULT_HEIGHT = 900;
    // Largest side in pixels (8192 x 8192 is the largest picture an Image holds).
    static constexpr int MAX_SIDE = 8192;

    // f is PNG or GIF.
    explicit CairoRaster(Format f = PNG);
    ~CairoRaster() override { close(); }

    // A picture of w by h pixels that writes no file, read back with getImage.
    static std::unique_ptr<CairoRaster> offscreen(Format f, int w, int h);

    int init() override;
    // Pixels, as for a window; sizes outside 1..MAX_SIDE are refused with 0.
    int setSize(float w, float h) override;
    int setOffset(float px, float py) override;
    // The picture as drawn so far: direct colour, 8 bits a channel; empty when not open.
    int getImage(Image& img) override;

protected:
    int setOption(const char* item) override;
    const char* optionList() const override { return "size=WxH"; }
    _cairo_surface* makeSurface() override;
    bool writePicture(_cairo_surface* surface) override;
    double unitsPerPoint() const override;
    double thinnestLine() const override { return 1.0; }
    bool antialias() const override { return format != GIF; }

    bool alignClip() const override { return true; }
    double fillEdge() const override { return format == GIF ? 0.0 : 1.0; }

private:
    // The picture cairo draws into, written out as it is.
    Image canvas;
};

} // namespace HYX

#endif
