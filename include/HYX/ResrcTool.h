// Checks on the resources a program was given. The resource database keeps an unknown
// command-line key as a resource of its own name, so that any resource can be set by its
// full name; a misspelt option is kept the same way and would pass unnoticed.
#ifndef HYX_RESRCTOOL_H
#define HYX_RESRCTOOL_H

#include "HYX/Export.h"

#include <string>
#include <vector>

namespace HYX {

class ResrcDBList;
class Strings;

class HYX_API ResrcTool {
public:
    // Warns about every keyed argument of args that names nothing: neither an option of
    // keyed (its short option, or the beginning of its resource name), nor a resource of
    // the suite's option table, nor one of extra (resources read by their full name).
    // The nearest option is suggested. Returns how many keys named nothing.
    static int checkKeys(const Strings& args, const ResrcDBList& keyed,
                         const std::vector<std::string>& extra);
};

} // namespace HYX

#endif
