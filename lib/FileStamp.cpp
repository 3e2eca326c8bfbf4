// What tells one version of a file from another.
#include "HYX/FileStamp.h"

namespace HYX {

bool FileStamp::take(const char* path) {
    st = {};
    if (path && ::stat(path, &st) == 0) return true;
    st = {};
    return false;
}

bool FileStamp::operator==(const FileStamp& o) const {
    return st.st_ino == o.st.st_ino && st.st_dev == o.st.st_dev && st.st_size == o.st.st_size &&
           st.st_mode == o.st.st_mode && st.st_mtim.tv_sec == o.st.st_mtim.tv_sec &&
           st.st_mtim.tv_nsec == o.st.st_mtim.tv_nsec;
}

} // namespace HYX
