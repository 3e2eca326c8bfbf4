// Tools on soundings: merging a received report into a working sounding.
#ifndef HYX_UPATOOL_H
#define HYX_UPATOOL_H

namespace HYX {

class UpaRawinData;
class UpaData;

class UpaTool {
public:
    // Builds the sorted, filled sounding out (expected freshly initialised) from a report:
    // levels of all three lists sorted by height, with pressure and height on every level,
    // gaps filled in log pressure and the surface, tropopause and maximum-wind markers set.
    static int merge(const UpaRawinData& raw, UpaData& out);
};

} // namespace HYX

#endif
