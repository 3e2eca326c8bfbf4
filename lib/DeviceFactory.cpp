// The one place that knows every device class.
#include "HYX/DeviceFactory.h"

#include "HYX/CairoRaster.h"
#include "HYX/CairoVector.h"
#include "HYX/Graph.h"
#include "HYX/Hpgl.h"
#include "HYX/MetaFile.h"
#include "HYX/Postscript.h"
#include "HYX/XDispatch.h"
#include "HYX/XWindow.h"

namespace HYX {

std::unique_ptr<Device> DeviceFactory::create(int kind) {
    switch (kind) {
    case Graph::POSTSCRIPT:
        return std::make_unique<Postscript>();
    case Graph::HPGL:
        return std::make_unique<Hpgl>();
    case Graph::META:
        return std::make_unique<MetaFile>();
    case Graph::PNG:
        return std::make_unique<CairoRaster>(CairoDevice::PNG);
    case Graph::GIF:
        return std::make_unique<CairoRaster>(CairoDevice::GIF);
    case Graph::PDF:
        return std::make_unique<CairoVector>(CairoDevice::PDF);
    case Graph::SVG:
        return std::make_unique<CairoVector>(CairoDevice::SVG);
    case Graph::EPS:
        return std::make_unique<CairoVector>(CairoDevice::EPS);
    default:
        return std::make_unique<XWindow>();
    }
}

std::unique_ptr<Device> DeviceFactory::createOffscreen(int kind, int w, int h) {
    return CairoRaster::offscreen(kind == Graph::GIF ? CairoDevice::GIF : CairoDevice::PNG,
                                  w > 0 ? w : XWindow::DEFAULT_WIDTH,
                                  h > 0 ? h : XWindow::DEFAULT_HEIGHT);
}

bool DeviceFactory::hasDisplay() { return XDispatch::canConnect(""); }

} // namespace HYX
