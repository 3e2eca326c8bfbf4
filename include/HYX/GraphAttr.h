// Common base of the graphics context; it carries no state of its own.
#ifndef HYX_GRAPHATTR_H
#define HYX_GRAPHATTR_H

namespace HYX {

class GraphAttr {};

} // namespace HYX

#endif
