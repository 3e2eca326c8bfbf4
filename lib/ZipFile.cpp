// The first member of a zip archive, through zlib's raw inflate.
#include "HYX/ZipFile.h"

#include <zlib.h>

#include <cstdint>
#include <cstring>

namespace HYX {

namespace {

constexpr size_t LOCAL_HEADER = 30;
constexpr uint32_t LOCAL_SIG = 0x04034b50;
constexpr int STORED = 0;
constexpr int DEFLATED = 8;
constexpr uint16_t ENCRYPTED = 1;

uint32_t le(const unsigned char* p, int n) {
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

} // namespace

bool ZipFile::isZip(const char* data, size_t len) {
    return data && len >= 4 && le(reinterpret_cast<const unsigned char*>(data), 4) == LOCAL_SIG;
}

int ZipFile::extractFirst(const char* data, size_t len, size_t limit, std::string& out,
                          std::string& err) {
    out.clear();
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    if (!isZip(data, len) || len < LOCAL_HEADER) {
        err = "not a zip archive";
        return 0;
    }
    const uint16_t flags = static_cast<uint16_t>(le(p + 6, 2));
    const int method = static_cast<int>(le(p + 8, 2));
    const size_t csize = le(p + 18, 4), usize = le(p + 22, 4);
    const size_t start = LOCAL_HEADER + le(p + 26, 2) + le(p + 28, 2);
    if (start > len) {
        err = "truncated zip header";
        return 0;
    }
    if (flags & ENCRYPTED) {
        err = "encrypted zip member";
        return 0;
    }
    // With a data descriptor (flag bit 3) the sizes come after the data: inflate up to the
    // end of the deflate stream instead.
    const size_t avail = len - start;
    const size_t in = (csize > 0 && csize <= avail) ? csize : avail;
    if (method == STORED) {
        const size_t n = usize > 0 ? usize : in;
        if (n > avail || n > limit) {
            err = n > limit ? "zip member too large" : "truncated zip member";
            return 0;
        }
        out.assign(data + start, n);
        return 1;
    }
    if (method != DEFLATED) {
        err = "zip member compressed with an unsupported method";
        return 0;
    }
    z_stream z;
    std::memset(&z, 0, sizeof z);
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) {
        err = "cannot start inflating";
        return 0;
    }
    z.next_in = const_cast<Bytef*>(p + start);
    int ret = Z_OK;
    size_t left = in;
    unsigned char chunk[65536];
    for (;;) {
        if (z.avail_in == 0 && left > 0) {
            const size_t n = left < 0x40000000 ? left : 0x40000000;
            z.avail_in = static_cast<uInt>(n);
            left -= n;
        }
        z.next_out = chunk;
        z.avail_out = sizeof chunk;
        ret = inflate(&z, Z_NO_FLUSH);
        const size_t got = sizeof chunk - z.avail_out;
        if (out.size() + got > limit) {
            inflateEnd(&z);
            out.clear();
            err = "zip member too large";
            return 0;
        }
        out.append(reinterpret_cast<char*>(chunk), got);
        if (ret != Z_OK && ret != Z_BUF_ERROR) break;
        if (got == 0 && z.avail_in == 0 && left == 0) break; // input used up
    }
    inflateEnd(&z);
    if (ret != Z_STREAM_END) {
        out.clear();
        err = ret == Z_DATA_ERROR ? "damaged zip member" : "truncated zip member";
        return 0;
    }
    return 1;
}

} // namespace HYX
