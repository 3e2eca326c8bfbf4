// GIF images: a GIF89a writer (LZW compression, title and domain comments, transparency,
// interlacing) and a reader of the first image of a GIF file.
#ifndef HYX_GIFFILE_H
#define HYX_GIFFILE_H

#include "HYX/Export.h"
#include "HYX/File.h"

#include <cstdint>
#include <vector>

namespace HYX {

class Image;

class HYX_API GifFile {
public:
    static constexpr int MAX_CODE_BITS = 12;
    static constexpr int TABLE_SIZE = 1 << MAX_CODE_BITS;
    // Data bytes in each full sub-block the writer makes.
    static constexpr int BLOCK_SIZE = 254;
    // Delay of the graphic control extension, hundredths of a second.
    static constexpr int DELAY = 10;
    // Largest GIF file the reader takes into memory.
    static constexpr long MAX_FILE = 1L << 28;
    // A screen larger than both this area and this many times its first image is refused.
    static constexpr double MAX_MARGIN_AREA = 65536;
    static constexpr double MAX_SCREEN_RATIO = 64;

    GifFile() = default;
    GifFile(const GifFile&) = delete;
    GifFile& operator=(const GifFile&) = delete;

    // Works on a file opened elsewhere (access 0 read, 1 write), or opens its own.
    int open(File& f, int access);
    int open(const char* name, int access);
    int close();
    int read(Image& img);
    int write(Image& img);

    // Transparent palette index for the writer (-1: the image's own, if any).
    void setTransColor(int i) { trans = i; }
    void setInterlace(bool b) { interlace = b; }
    bool getInterlace() const { return interlace; }

    // The GIF stream of an image, as the writer would write it.
    static int encode(const Image& img, int trans_index, bool interlaced,
                      std::vector<uint8_t>& out);
    // The first image of a GIF stream; 0 with a message when the stream is unusable.
    static int decode(const uint8_t* bytes, long n, Image& img);

    // LZW coder of the image data: variable-width codes in 254-byte sub-blocks.
    class Encoder {
    public:
        Encoder(int code_size, std::vector<uint8_t>& dest);
        void put(int pixel);
        void finish();

    private:
        void output(int code);
        void clearTable();
        int lookup(int prefix, int suffix) const;
        void insert(int prefix, int suffix, int code);
        void putByte(uint8_t b);
        void flushBlock();

        std::vector<uint8_t>& out;
        int init_bits;
        int clear_code;
        int end_code;
        int free_code;
        int width;
        int max_code;
        bool clear_flag = false;
        int current = -1;
        uint32_t acc = 0;
        int nbits = 0;
        uint8_t block[BLOCK_SIZE];
        int blen = 0;
        // String table: chains of (key, code) nodes hashed over TABLE_SIZE buckets.
        std::vector<int> head;
        std::vector<int> node_key;
        std::vector<int> node_code;
        std::vector<int> node_next;
        int num_nodes = 0;
    };

private:
    File own;
    File* file = nullptr;
    int access = 0;
    int trans = -1;
    bool interlace = false;
};

} // namespace HYX

#endif
