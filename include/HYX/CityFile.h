// A city (station) file: plain text, one station per fixed-column line of nominally
// 59 bytes, read record by record into CityData.
#ifndef HYX_CITYFILE_H
#define HYX_CITYFILE_H

#include "HYX/Export.h"
#include "HYX/File.h"

namespace HYX {

class CityData;

class HYX_API CityFile {
public:
    static constexpr int line_len = 120; // longest line read
    static constexpr int rec_len = 59;   // nominal record length with its line end

    CityFile() = default;
    explicit CityFile(const char* name) : CityFile(name, 0) {}
    CityFile(const char* name, int mode) { open(name, mode); }
    CityFile(const CityFile&) = delete;
    CityFile& operator=(const CityFile&) = delete;

    // mode 0 reads, 1 writes; num becomes the file size / 59.
    int open(const char* name, int mode);
    // 1 with the next record; 0 at the end of the file or at a malformed line.
    int read(CityData& c);
    // Writes one record in the fixed-column layout.
    int write(const CityData& c);
    int rewind();
    int close();
    bool isOpen() const { return opened; }
    int getNum() const { return num; }

private:
    File file;
    int num = 0;
    bool opened = false;
};

} // namespace HYX

#endif
