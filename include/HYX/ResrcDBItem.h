// One known option: the resource it sets, its environment variable, its short
// command-line form (null for a positional option) and its help line.
#ifndef HYX_RESRCDBITEM_H
#define HYX_RESRCDBITEM_H

#include "HYX/Export.h"

namespace HYX {

// The texts are static strings owned by the program (the option table); the item only
// refers to them.
struct HYX_API ResrcDBItem {
    const char* name = nullptr;
    const char* env = nullptr;
    const char* cmdln = nullptr;
    const char* help = nullptr;
    const ResrcDBItem* next = nullptr;
};

} // namespace HYX

#endif
