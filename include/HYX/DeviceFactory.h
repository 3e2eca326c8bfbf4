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
    // A picture of the window's size (or w by h pixels) that writes no file, for saving an
    // output image where no window can be opened; kind Graph::GIF draws for a GIF palette,
    // any other kind for PNG.
    static std::unique_ptr<Device> createOffscreen(int kind, int w = 0, int h = 0);
    // Whether a window could be opened on the default display.
    static bool hasDisplay();
};

} // namespace HYX

#endif
