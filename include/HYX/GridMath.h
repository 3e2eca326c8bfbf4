// Operations between grids and domains.
#ifndef HYX_GRIDMATH_H
#define HYX_GRIDMATH_H

#include "HYX/Export.h"

namespace HYX {

class Domain;
class Grid;

class HYX_API GridMath {
public:
    // The grid lies on exactly the given domain (same projection, extent and size).
    static bool isDomainEqual(const Grid& grid, const Domain& domain);
};

} // namespace HYX

#endif
