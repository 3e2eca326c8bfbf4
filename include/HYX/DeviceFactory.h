// Creates the output device of a kind (Graph::DeviceKind), so that the drawing context knows
// devices only through their common interface.
#ifndef HYX_DEVICEFACTORY_H
#define HYX_DEVICEFACTORY_H

#include "HYX/Device.h"
#include "HYX/Export.h"

#include <memory>

namespace HYX {

class HYX_API DeviceFactory {
public:
    // The device of that kind; any kind without a device of its own is the window.
    static std::unique_ptr<Device> create(int kind);
};

} // namespace HYX

#endif
