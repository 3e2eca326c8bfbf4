// Domain texts: the short forms a user gives for a plot domain (projection, centre,
// size and spacing, a station as centre, or a region name) turned into DomainVal.
#ifndef HYX_DOMAINTOOL_H
#define HYX_DOMAINTOOL_H

#include "HYX/Export.h"

namespace HYX {

class Domain;
class DomainVal;
class Strings;

class HYX_API DomainTool {
public:
    static constexpr int def_nx = 25;
    static constexpr int def_ny = 17;
    static constexpr float def_spacing = 1.2f;
    static constexpr const char* def_text = "39,-97,2.3";

    // 1 when text gives a domain ("miss" gives one that sets nothing), else 0.
    static int decode(DomainVal& v, const char* text);
    // 1 when the items fit the comma-separated keys; v is changed only then.
    static int setParams(DomainVal& v, const Strings& items, const char* keys);
    // The domain of the resource "plot_domain", or of text.
    static int set(Domain& d);
    static int set(Domain& d, const char* text);
    static int proj(const char* name);

private:
    static int decode(DomainVal& v, const char* text, int depth);
};

} // namespace HYX

#endif
