// One zlib stream.
#include "HYX/Zlib.h"

#include <cstdio>
#include <zlib.h>

namespace HYX {

namespace {
// The interface version the streams are opened with; zlib accepts any 1.x caller.
constexpr const char* ZLIB_IFACE = "1.1.4";
} // namespace

Zlib::Zlib() : strm(std::make_unique<z_stream_s>()) {}

Zlib::Zlib(int m, int level) : strm(std::make_unique<z_stream_s>()) { init(m, level); }

Zlib::~Zlib() { finish(); }

int Zlib::init(int m, int level) {
    finish();
    *strm = z_stream_s();
    strm->zalloc = Z_NULL;
    strm->zfree = Z_NULL;
    strm->opaque = Z_NULL;
    mode = m == COMP ? COMP : DECOMP;
    const int ret = mode == COMP ? deflateInit_(strm.get(), level, ZLIB_IFACE, sizeof(z_stream))
                                 : inflateInit_(strm.get(), ZLIB_IFACE, sizeof(z_stream));
    active = ret == Z_OK;
    setResult(ret);
    return active ? 1 : 0;
}

int Zlib::set(const unsigned char* in, int in_len, unsigned char* out, int out_len) {
    strm->next_in = const_cast<Bytef*>(in);
    strm->avail_in = in && in_len > 0 ? static_cast<uInt>(in_len) : 0;
    strm->next_out = out;
    strm->avail_out = out && out_len > 0 ? static_cast<uInt>(out_len) : 0;
    return 1;
}

int Zlib::setOut(unsigned char* out, int out_len) {
    strm->next_out = out;
    strm->avail_out = out && out_len > 0 ? static_cast<uInt>(out_len) : 0;
    return 1;
}

int Zlib::setResult(int zret) {
    switch (zret) {
    case Z_OK:
        result = OK;
        break;
    case Z_STREAM_END:
        result = END;
        break;
    case Z_STREAM_ERROR:
        result = STRM_ERR;
        break;
    case Z_MEM_ERROR:
        result = MEM_ERR;
        break;
    case Z_BUF_ERROR:
        result = BUF_ERR;
        break;
    default: // Z_DATA_ERROR, Z_NEED_DICT and anything unknown: the data are unusable
        result = DATA_ERR;
        break;
    }
    return result;
}

int Zlib::decomp() {
    if (!active || mode != DECOMP) {
        result = STRM_ERR;
        return 0;
    }
    setResult(inflate(strm.get(), Z_NO_FLUSH));
    return result == OK || result == BUF_ERR ? 1 : 0;
}

int Zlib::comp(int flush) {
    if (!active || mode != COMP) {
        result = STRM_ERR;
        return 0;
    }
    setResult(deflate(strm.get(), flush));
    return result == OK || result == END || result == BUF_ERR ? 1 : 0;
}

int Zlib::finish() {
    if (!active) return 0;
    if (mode == COMP)
        deflateEnd(strm.get());
    else
        inflateEnd(strm.get());
    active = false;
    if (result == OK || result == END) result = FIN;
    return 1;
}

bool Zlib::isError() const { return result == DATA_ERR || result == STRM_ERR || result == MEM_ERR; }

int Zlib::getAvailIn() const { return static_cast<int>(strm->avail_in); }
int Zlib::getAvailOut() const { return static_cast<int>(strm->avail_out); }
long Zlib::getTotalOut() const { return static_cast<long>(strm->total_out); }

const char* Zlib::getResultName() const {
    static const char* const names[] = {"OK",       "END",     "FIN",    "DATA ERR",
                                        "STRM ERR", "MEM ERR", "BUF ERR"};
    return result >= 0 && result <= BUF_ERR ? names[result] : "";
}

void Zlib::print() const { std::printf("Zlib: %s\n", getResultName()); }

} // namespace HYX
