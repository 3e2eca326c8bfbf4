// The first member of a zip archive, inflated: enough for archives that hold one text
// file, such as the per-station files of the radiosonde archives.
#ifndef HYX_ZIPFILE_H
#define HYX_ZIPFILE_H

#include "HYX/Export.h"

#include <cstddef>
#include <string>

namespace HYX {

class HYX_API ZipFile {
public:
    // The bytes begin with a zip local file header.
    static bool isZip(const char* data, size_t len);
    // Inflates (or copies, when stored) the first member into out, at most limit bytes; 0
    // with why in err when the archive is damaged, uses another method or is too large.
    static int extractFirst(const char* data, size_t len, size_t limit, std::string& out,
                            std::string& err);
};

} // namespace HYX

#endif
