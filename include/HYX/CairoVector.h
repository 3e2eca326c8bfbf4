// Publication pages drawn with cairo as vectors: PDF, SVG and EPS files, upright, with the
// page cut to what was drawn plus a half-point margin, and text from the stroke font. The
// drawing surface is a page in points as for PostScript (letter by default; legal, 11x17, a4,
// a3, ansid, sz=W:H or WxH in inches), so that text and lines keep their printed sizes, and a
// portrait page lays the drawing out to fit its width.
#ifndef HYX_CAIROVECTOR_H
#define HYX_CAIROVECTOR_H

#include "HYX/CairoDevice.h"
#include "HYX/Export.h"

namespace HYX {

class HYX_API CairoVector : public CairoDevice {
public:
    static constexpr double MARGIN = 0.5;
    // Largest side in inches (a PDF page is at most 200 inches wide).
    static constexpr float MAX_INCHES = 200.0f;

    // f is PDF, SVG or EPS.
    explicit CairoVector(Format f);
    ~CairoVector() override { close(); }

protected:
    int setOption(const char* item) override;
    const char* optionList() const override {
        return "letter, legal, 11x17, a4, a3, ansid, sz=W:H, WxH (inches)";
    }
    _cairo_surface* makeSurface() override;
    bool writePicture(_cairo_surface* surface) override;
    bool keepsSteps() const override { return true; }
};

} // namespace HYX

#endif
