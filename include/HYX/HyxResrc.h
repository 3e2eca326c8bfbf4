// The table of standard options shared by the programs of the suite: single options by
// number (0 to 72) and groups of them (73 to 88).
#ifndef HYX_HYXRESRC_H
#define HYX_HYXRESRC_H

#include "HYX/Export.h"

namespace HYX {

class ResrcDBList;

class HYX_API HyxResrc {
public:
    static constexpr int NUM_OPTIONS = 73;
    static constexpr int NUM_IDS = 89;

    // Appends the option or the members of the group `id` to the list (a member already in
    // the list is added again). Always 1; an unknown id adds nothing.
    static int add(ResrcDBList& list, int id);
};

} // namespace HYX

#endif
