#include "FuzzTarget.h"

#include "HYX/PlotAttr.h"

// Attribute strings: "width/height/style/colour..." and its named items.
HYX_FUZZ_TARGET(attr) {
    const std::string in = fuzz::text(data, size);
    HYX::PlotAttr a(in.c_str());
    HYX::PlotAttr b(in.c_str(), "1/2/sol/red");
    a.update(b);
    HYX::PlotAttr::parseFillStyle(in.c_str());
    HYX::PlotAttr::parseMarker(in.c_str());
    HYX::PlotAttr::parseLineStyle(in.c_str());
}
