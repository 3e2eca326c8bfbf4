// Access modes shared by the file classes.
#ifndef HYX_FILEATTR_H
#define HYX_FILEATTR_H

#include "HYX/Export.h"

namespace HYX {

class HYX_API FileAttr {
public:
    enum Access { READ = 0, WRITE = 1, APPEND = 2 };
};

} // namespace HYX

#endif
