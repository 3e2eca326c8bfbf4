// Why an upper-air file cannot be read, in words for the user: the file is missing, a
// directory, a device, unreadable or empty, or it is not an upper-air file (its first line
// is not the magic word, its second line holds no date).
#ifndef HYX_UPAFILECHECK_H
#define HYX_UPAFILECHECK_H

#include "HYX/Export.h"

#include <string>

namespace HYX {

class HYX_API UpaFileCheck {
public:
    // What is wrong with the file, to follow its name ("does not exist", "is not an
    // upper-air file: line 1 is ..."); empty when it can be read. Pipes ("|command") and
    // standard input are taken on trust.
    static std::string problem(const char* path);
};

} // namespace HYX

#endif
