// One zlib stream, inflating or deflating between caller-given buffers.
#ifndef HYX_ZLIB_H
#define HYX_ZLIB_H

#include "HYX/Export.h"

#include <memory>

struct z_stream_s;

namespace HYX {

class HYX_API Zlib {
public:
    enum Mode { DECOMP = 0, COMP = 1 };
    // The stream state after the last call (print names them).
    enum Result { OK = 0, END = 1, FIN = 2, DATA_ERR = 3, STRM_ERR = 4, MEM_ERR = 5, BUF_ERR = 6 };
    // Input chunk size used when a file is inflated piece by piece.
    static constexpr int CHUNK = 10000;

    Zlib();
    explicit Zlib(int mode, int level = -1);
    ~Zlib();
    Zlib(const Zlib&) = delete;
    Zlib& operator=(const Zlib&) = delete;

    // Starts a stream (level -1: zlib's default compression); 1 when done.
    int init(int mode = DECOMP, int level = -1);
    // The next input and the room for output; the stream keeps its state.
    int set(const unsigned char* in, int in_len, unsigned char* out, int out_len);
    // New room for output only; the input not yet taken stays.
    int setOut(unsigned char* out, int out_len);
    // Inflates as much as input and room allow; 1 while the stream can go on.
    int decomp();
    // Deflates; flush is a zlib flush code (0 none, 4 finish).
    int comp(int flush);
    // Ends the stream and frees zlib's state.
    int finish();

    bool isError() const;
    bool isEnd() const { return result == END; }
    int getResult() const { return result; }
    int getAvailIn() const;
    int getAvailOut() const;
    long getTotalOut() const;
    const char* getResultName() const;
    void print() const;

private:
    int setResult(int zret);

    std::unique_ptr<z_stream_s> strm;
    int mode = DECOMP;
    bool active = false;
    int result = OK;
};

} // namespace HYX

#endif
