// Access modes shared by the file classes.
#ifndef HYX_FILEATTR_H
#define HYX_FILEATTR_H

namespace HYX {

class FileAttr {
public:
    enum Access { READ = 0, WRITE = 1, APPEND = 2 };
};

} // namespace HYX

#endif
