// The suite's own image format: a text header (magic line with flags, date, title and the
// placement of the picture on the earth) followed by one byte per pixel, row by row, raw
// or as one zlib stream, optionally in a separate file.
#ifndef HYX_IMGHYXFILE_H
#define HYX_IMGHYXFILE_H

#include "HYX/Export.h"
#include "HYX/File.h"

#include <string>

namespace HYX {

class Domain;
class Image;

class HYX_API ImgHyxFile {
public:
    static constexpr const char* MAGIC = "HYXIMG";
    // Longest header line taken; the placement line holds at most 120 characters.
    static constexpr int LINE_SIZE = 256;
    static constexpr int PLACE_SIZE = 121;

    ImgHyxFile() = default;
    ImgHyxFile(const ImgHyxFile&) = delete;
    ImgHyxFile& operator=(const ImgHyxFile&) = delete;

    // Works on a file opened elsewhere (access 0 read, 1 write; name, when given, places a
    // separate pixel file named in the header), or opens its own.
    int open(File& f, int access, const char* name = nullptr);
    int open(const char* name, int access);
    int close();
    int read(Image& img);
    int write(Image& img);

    // Version written (3 or 4) and whether the pixels are written compressed.
    void setVer(int v) { version = v == 3 ? 3 : 4; }
    int getVer() const { return version; }
    void setCompress(bool z) { compress = z; }

    // The placement line: a projection with corners and size, a size, or a domain text.
    static int decodePlacement(const char* line, File& f, Domain& d, int& nx, int& ny);

private:
    int readLine(char* buf, int size);
    int readPixels(File& f, bool zipped, Image& img);

    File own;
    File* file = nullptr;
    int access = 0;
    std::string name;
    int version = 4;
    bool compress = false;
};

} // namespace HYX

#endif
