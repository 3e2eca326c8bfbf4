// Common base of the graphics context; it carries no state of its own.
#ifndef HYX_GRAPHATTR_H
#define HYX_GRAPHATTR_H

#include "HYX/Export.h"

namespace HYX {

class HYX_API GraphAttr {};

} // namespace HYX

#endif
