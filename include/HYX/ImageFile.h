// One image file in any of the formats: the suite's image format (plain or compressed),
// GIF or PNG, chosen by the file's first bytes, its name's ending or a type word.
#ifndef HYX_IMAGEFILE_H
#define HYX_IMAGEFILE_H

#include "HYX/Date.h"
#include "HYX/Export.h"
#include "HYX/File.h"
#include "HYX/GifFile.h"
#include "HYX/ImgHyxFile.h"
#include "HYX/PngFile.h"

namespace HYX {

class Image;

class HYX_API ImageFile {
public:
    enum Type { UNKNOWN = 0, IMG = 1, IMGZ = 2, GIF = 3, PNG = 4 };
    enum Access { READ = 0, WRITE = 1 };

    ImageFile() = default;
    ~ImageFile() { close(); }
    ImageFile(const ImageFile&) = delete;
    ImageFile& operator=(const ImageFile&) = delete;

    // Type 0: for reading found from the file's first bytes, else (and for writing) from
    // the name's ending.
    int open(const char* name, int acc, int t);
    int open(const char* name, int acc, const char* word);
    int open(const char* name, int acc) { return open(name, acc, UNKNOWN); }
    int open(const char* name) { return open(name, READ, UNKNOWN); }
    int read(Image& image);
    int write(Image& image);
    int close();
    bool isOpen() const { return opened; }
    int getType() const { return type; }

    int read(const char* name, Image& image);
    // An image file whose bytes are in memory, as read from a file of that name: the type
    // is found from the bytes, else from the name, where a pixel file beside it is looked for.
    int read(const void* bytes, size_t n, const char* name, Image& image);
    int write(const char* name, Image& image);
    int write(const char* name, int t, Image& image);

    // Type from the first 10 bytes of the file, else from the name's ending.
    static int checkType(const char* name);
    // Type from the name's ending ("img", "imgz", "gif", "png", any case).
    static int checkFilename(const char* name);
    // Type from a word ("img", "imgz", "gif", "png", any case).
    static int getType(const char* word);

    // Bytes left to read in a regular file or one in memory; -1 when unknown (a pipe, a
    // device).
    static long remaining(File& f);
    // Largest number of bytes a zlib stream of n bytes inflates to.
    static double inflateLimit(long n) { return static_cast<double>(n) * 1032.0 + 64.0; }

    // Version of the suite's format to write.
    void setVer(int v) { img.setVer(v); }
    GifFile& getGif() { return gif; }
    PngFile& getPng() { return png; }
    ImgHyxFile& getImg() { return img; }

private:
    static int typeOf(const unsigned char* head, int n);
    // Gives the open file to the reader or writer of the type.
    int attach(const char* name);

    int type = UNKNOWN;
    int access = READ;
    File file;
    GifFile gif;
    PngFile png;
    ImgHyxFile img;
    Date date;
    bool opened = false;
};

} // namespace HYX

#endif
