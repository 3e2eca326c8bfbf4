// Which output device a plot opens: from the "device" resource (or a "de=" item of the plot
// parameters) by its name, or by asking when the "inter" resource is set; and the window
// geometry strings.
#ifndef HYX_PLOTDEVICE_H
#define HYX_PLOTDEVICE_H

#include "HYX/Export.h"

namespace HYX {

class String;

class HYX_API PlotDevice {
public:
    // The device name for Graph::setDevice ("display", "postscript", "hpgl", "meta", "png",
    // "gif", "pdf", "svg", "eps") and its parameter string; the result is the Graph device
    // kind, or Graph::NO_DEVICE, with a message naming the devices, when the device string
    // names none of them.
    static int select(const char* param, String& name, String& dev_param);
    // Kind of the device word of a device string. The full names png, gif, pdf, svg and eps
    // win; otherwise the first letter decides as it always did ("w", "x", "d" window, "p"
    // PostScript, "h" HPGL, "m" metafile) for a word that is that letter or begins one of
    // the names display, window, xwindow, x11, postscript, ps, hpgl, meta, metafile.
    // Graph::NO_DEVICE for any other word; an empty word is the window.
    static int kindOfName(const char* word);
    // Kind of an answer to the "inter" prompt by its first letter: "p" PostScript, "h" HPGL,
    // "m" metafile, anything else the window.
    static int kindOf(const char* text);
    static const char* getName(int kind);
    // "WxH[+-]X[+-]Y" (2), "WxH" (1), "[+-]X[+-]Y" (3); 0 otherwise. Missing parts are
    // -9999; a "-" offset is negated (counted from the right or bottom).
    static int decodeGeometry(const char* str, float& w, float& h, float& x, float& y);
};

} // namespace HYX

#endif
