// What tells one version of a file from another: where it lies, its size and the time it
// last changed. Tables read once keep the stamp of what they read, to read again when the
// file has changed.
#ifndef HYX_FILESTAMP_H
#define HYX_FILESTAMP_H

#include "HYX/Export.h"

#include <sys/stat.h>

namespace HYX {

class HYX_API FileStamp {
public:
    // The stamp of the file at path; false when there is none.
    bool take(const char* path);
    // A plain file, not a directory, device or pipe.
    bool regular() const { return S_ISREG(st.st_mode); }
    bool operator==(const FileStamp& o) const;
    bool operator!=(const FileStamp& o) const { return !(*this == o); }

private:
    struct stat st {};
};

} // namespace HYX

#endif
