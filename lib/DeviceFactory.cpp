// The one place that knows every device class.
#include "HYX/DeviceFactory.h"

#include "HYX/Graph.h"
#include "HYX/Hpgl.h"
#include "HYX/MetaFile.h"
#include "HYX/Postscript.h"
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
    default:
        return std::make_unique<XWindow>();
    }
}

} // namespace HYX
