// Named plot regions: a region file maps a region name to a domain text.
#ifndef HYX_REGION_H
#define HYX_REGION_H

#include "HYX/Export.h"

namespace HYX {

class String;

class HYX_API Region {
public:
    static constexpr const char* default_file = "hyx.reg";

    // The domain text of the region name in file (default "hyx.reg", in the database
    // directory); without a name the first region. 1 when found, 0 otherwise.
    static int get(const char* file, const char* name, String& text);
};

} // namespace HYX

#endif
