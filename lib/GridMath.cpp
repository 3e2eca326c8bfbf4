// Operations between grids and domains.
#include "HYX/GridMath.h"

#include "HYX/Domain.h"
#include "HYX/Grid.h"

namespace HYX {

bool GridMath::isDomainEqual(const Grid& grid, const Domain& domain) {
    return DomainVal::compare(grid.getDomainVal(), domain.get());
}

} // namespace HYX
