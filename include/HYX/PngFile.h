// PNG images through libpng: palette pictures (with a tRNS chunk for a transparent index)
// and 8-bit RGB pictures, with title, software, time, date, information, domain and
// comment text chunks; the reader takes any PNG into a colour-mapped or direct image.
#ifndef HYX_PNGFILE_H
#define HYX_PNGFILE_H

#include "HYX/Export.h"
#include "HYX/File.h"

#include <string>

namespace HYX {

class Image;

class HYX_API PngFile {
public:
    static constexpr const char* DEFAULT_TITLE = "HYX Graphic";

    PngFile() = default;
    PngFile(const PngFile&) = delete;
    PngFile& operator=(const PngFile&) = delete;

    // Works on a file opened elsewhere (access 0 read, 1 write), or opens its own.
    int open(File& f, int access);
    int open(const char* name, int access);
    int close();
    int read(Image& img);
    int write(Image& img);

    // Convert every picture to 8-bit colour-mapped before writing.
    void setIndex(bool b) { index = b; }
    void setTitle(const char* t) { title = t ? t : ""; }
    void setComment(const char* c) { comment = c ? c : ""; }
    const std::string& getTitle() const { return title; }
    const std::string& getComment() const { return comment; }

private:
    int writeImage(const Image& img);

    File own;
    File* file = nullptr;
    int access = 0;
    bool index = false;
    std::string title;
    std::string comment;
};

} // namespace HYX

#endif
