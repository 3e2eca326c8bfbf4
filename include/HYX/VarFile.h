// A variable file: named variable lists, one entry per line ("name description
// definition"), a line ending in '\' continuing on the next.
#ifndef HYX_VARFILE_H
#define HYX_VARFILE_H

#include "HYX/Export.h"
#include "HYX/File.h"

namespace HYX {

class VarFileData;

class HYX_API VarFile {
public:
    static constexpr int line_len = 150;   // longest physical line read
    static constexpr int max_data = 10000; // longest definition kept

    VarFile() = default;
    explicit VarFile(const char* name) { open(name); }
    VarFile(const VarFile&) = delete;
    VarFile& operator=(const VarFile&) = delete;

    int open(const char* name);
    int close() { return file.close(); }
    bool isOpen() const { return file.isOpen(); }
    int rewind() { return file.rewind(); }
    // The next entry: 1, or -1 at the end of the file.
    int read(VarFileData& d);
    // The definition of the first entry called name (compared exactly).
    int search(const char* name, VarFileData& d);

private:
    File file;
};

} // namespace HYX

#endif
