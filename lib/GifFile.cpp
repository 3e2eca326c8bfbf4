// GIF images: writer with LZW compression and a reader of the first image.
#include "HYX/GifFile.h"

#include "HYX/Hyx.h"
#include "HYX/Image.h"
#include "HYX/ImageMath.h"
#include "HYX/RGB.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace HYX {

namespace {

void put16(std::vector<uint8_t>& out, int v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

uint8_t toByte(float v) { return static_cast<uint8_t>(RGB::toByte(v)); }

// A comment extension holding text in as many sub-blocks as it needs.
void putComment(std::vector<uint8_t>& out, const std::string& text) {
    out.push_back(0x21);
    out.push_back(0xFE);
    for (size_t pos = 0; pos < text.size(); pos += 255) {
        const size_t n = std::min<size_t>(255, text.size() - pos);
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), text.begin() + static_cast<long>(pos),
                   text.begin() + static_cast<long>(pos + n));
    }
    out.push_back(0);
}

// Row of the k-th stored row of an interlaced image.
int interlacedRow(int k, int h) {
    static const int start[4] = {0, 4, 2, 1};
    static const int step[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        const int n = h > start[pass] ? (h - start[pass] + step[pass] - 1) / step[pass] : 0;
        if (k < n) return start[pass] + k * step[pass];
        k -= n;
    }
    return -1;
}

} // namespace

// ---------------------------------------------------------------------------------------
// LZW coder

GifFile::Encoder::Encoder(int code_size, std::vector<uint8_t>& dest)
    : out(dest), init_bits(code_size + 1), clear_code(1 << code_size),
      end_code((1 << code_size) + 1), free_code((1 << code_size) + 2), width(code_size + 1),
      max_code((1 << (code_size + 1)) - 1), head(TABLE_SIZE, -1), node_key(TABLE_SIZE),
      node_code(TABLE_SIZE), node_next(TABLE_SIZE) {
    clear_flag = true;
    output(clear_code);
}

void GifFile::Encoder::clearTable() {
    std::fill(head.begin(), head.end(), -1);
    num_nodes = 0;
    free_code = clear_code + 2;
}

int GifFile::Encoder::lookup(int prefix, int suffix) const {
    const int key = prefix + suffix * TABLE_SIZE;
    for (int n = head[((suffix << 4) ^ prefix) & (TABLE_SIZE - 1)]; n >= 0; n = node_next[n])
        if (node_key[n] == key) return node_code[n];
    return -1;
}

void GifFile::Encoder::insert(int prefix, int suffix, int code) {
    if (num_nodes >= TABLE_SIZE) return;
    const int bucket = ((suffix << 4) ^ prefix) & (TABLE_SIZE - 1);
    const int n = num_nodes++;
    node_key[n] = prefix + suffix * TABLE_SIZE;
    node_code[n] = code;
    node_next[n] = head[bucket];
    head[bucket] = n;
}

void GifFile::Encoder::putByte(uint8_t b) {
    block[blen++] = b;
    if (blen == BLOCK_SIZE) flushBlock();
}

void GifFile::Encoder::flushBlock() {
    if (blen == 0) return;
    out.push_back(static_cast<uint8_t>(blen));
    out.insert(out.end(), block, block + blen);
    blen = 0;
}

// Writes one code; the width changes for the next one when the decoder's table (one
// entry behind this one) reaches the next power of two.
void GifFile::Encoder::output(int code) {
    acc |= static_cast<uint32_t>(code) << nbits;
    nbits += width;
    while (nbits >= 8) {
        putByte(static_cast<uint8_t>(acc & 0xFF));
        acc >>= 8;
        nbits -= 8;
    }
    if (clear_flag) {
        width = init_bits;
        max_code = (1 << width) - 1;
        clear_flag = false;
    } else if (free_code > max_code) {
        if (width < MAX_CODE_BITS) {
            ++width;
            max_code = width == MAX_CODE_BITS ? TABLE_SIZE : (1 << width) - 1;
        }
    }
}

void GifFile::Encoder::put(int pixel) {
    if (current < 0) {
        current = pixel;
        return;
    }
    const int code = lookup(current, pixel);
    if (code >= 0) {
        current = code;
        return;
    }
    output(current);
    if (free_code < TABLE_SIZE) {
        insert(current, pixel, free_code++);
    } else {
        clearTable();
        clear_flag = true;
        output(clear_code);
    }
    current = pixel;
}

void GifFile::Encoder::finish() {
    if (current >= 0) output(current);
    output(end_code);
    if (nbits > 0) putByte(static_cast<uint8_t>(acc & 0xFF));
    acc = 0;
    nbits = 0;
    flushBlock();
}

// ---------------------------------------------------------------------------------------
// Writer

int GifFile::encode(const Image& src, int trans_index, bool interlaced, std::vector<uint8_t>& out) {
    Image img;
    if (!ImageMath::toIndex(src, 8, img)) return 0;
    const int w = img.getWidth(), h = img.getHeight();
    if (w < 1 || h < 1 || w > 65535 || h > 65535) return 0;
    Hyx::outDebug(3, "width: %d\n", w);
    Hyx::outDebug(3, "height: %d\n", h);
    Hyx::outDebug(3, "depth: %d\n", img.getDepth());
    Hyx::outDebug(3, "bytes_per_line: %d\n", img.getBytesLine());
    Hyx::outDebug(3, "trans_color: %d\n", img.getTransColor());
    const int ncol = std::max(1, img.getNumColors());
    Hyx::outDebug(4, "num_color: %d\n", ncol);
    int bits = 1;
    while ((1 << bits) < ncol) ++bits;
    const int table = 1 << bits;
    const int code_size = std::max(bits, 2);
    Hyx::outDebug(4, "num_color+: %d\n", table);
    Hyx::outDebug(4, "code_size: %d\n", code_size);

    out.clear();
    out.reserve(static_cast<size_t>(w) * h / 2 + 1024);
    for (const char* c = "GIF89a"; *c; ++c) out.push_back(static_cast<uint8_t>(*c));
    put16(out, w);
    put16(out, h);
    out.push_back(static_cast<uint8_t>(0x80 | (bits - 1) << 4 | (bits - 1)));
    out.push_back(0);
    out.push_back(0);
    for (int i = 0; i < table; ++i) {
        const bool used = i < img.getNumColors();
        out.push_back(used ? toByte(img.getRed(i)) : 0);
        out.push_back(used ? toByte(img.getGrn(i)) : 0);
        out.push_back(used ? toByte(img.getBlu(i)) : 0);
    }

    char title[80];
    StrLib::copy(title, sizeof title, img.getInfo());
    putComment(out, std::string("ti=") + title);
    if (img.hasDomain()) {
        String dom(256);
        img.getDomain().toString(dom);
        putComment(out, std::string("pd=") + dom.get());
    }

    const int trans = trans_index >= 0 ? trans_index : img.getTransColor();
    if (trans >= 0 && trans < table) {
        const uint8_t gce[] = {0x21, 0xF9, 0x04, 0x01, DELAY, 0x00, static_cast<uint8_t>(trans),
                               0x00};
        out.insert(out.end(), gce, gce + sizeof gce);
    }

    out.push_back(0x2C);
    put16(out, 0);
    put16(out, 0);
    put16(out, w);
    put16(out, h);
    out.push_back(interlaced ? 0x40 : 0x00);
    out.push_back(static_cast<uint8_t>(code_size));

    Encoder enc(code_size, out);
    const int last = img.getNumColors() > 0 ? img.getNumColors() - 1 : 0;
    for (int k = 0; k < h; ++k) {
        const int y = interlaced ? interlacedRow(k, h) : k;
        const unsigned char* row = img.getRow(y);
        for (int x = 0; x < w; ++x) enc.put(std::min<int>(row[x], last));
    }
    enc.finish();
    out.push_back(0);
    out.push_back(0x3B);
    return 1;
}

int GifFile::open(File& f, int acc) {
    close();
    if (!f.isOpen()) return 0;
    file = &f;
    access = acc;
    return 1;
}

int GifFile::open(const char* name, int acc) {
    close();
    if (!own.open(name, acc == 1 ? "wb" : "rb")) return 0;
    file = &own;
    access = acc;
    return 1;
}

int GifFile::close() {
    file = nullptr;
    return own.isOpen() ? own.close() : 1;
}

int GifFile::write(Image& img) {
    if (!file || access != 1) return 0;
    std::vector<uint8_t> bytes;
    if (!encode(img, trans, interlace, bytes)) return 0;
    const int n = static_cast<int>(bytes.size());
    return file->write(bytes.data(), 1, n) == n ? 1 : 0;
}

// ---------------------------------------------------------------------------------------
// Reader

namespace {

// Reads the code stream of one image's data sub-blocks.
class BitReader {
public:
    explicit BitReader(const std::vector<uint8_t>& d) : data(d) {}
    // The next code of width bits, or -1 at the end of the data.
    int get(int width) {
        while (nbits < width) {
            if (pos >= data.size()) return -1;
            acc |= static_cast<uint32_t>(data[pos++]) << nbits;
            nbits += 8;
        }
        const int code = static_cast<int>(acc & ((1u << width) - 1));
        acc >>= width;
        nbits -= width;
        return code;
    }

private:
    const std::vector<uint8_t>& data;
    size_t pos = 0;
    uint32_t acc = 0;
    int nbits = 0;
};

class Parser {
public:
    Parser(const uint8_t* b, long n) : bytes(b), size(n) {}
    bool has(long n) const { return pos + n <= size; }
    int byte() { return pos < size ? bytes[pos++] : -1; }
    int word() {
        if (!has(2)) return -1;
        const int v = bytes[pos] | (bytes[pos + 1] << 8);
        pos += 2;
        return v;
    }
    // Concatenated sub-blocks up to the terminator; false when the data end first.
    bool blocks(std::vector<uint8_t>& out) {
        for (;;) {
            const int n = byte();
            if (n < 0) return false;
            if (n == 0) return true;
            if (!has(n)) return false;
            out.insert(out.end(), bytes + pos, bytes + pos + n);
            pos += n;
        }
    }
    bool skipBlocks() {
        for (;;) {
            const int n = byte();
            if (n < 0) return false;
            if (n == 0) return true;
            if (!has(n)) return false;
            pos += n;
        }
    }
    const uint8_t* at() const { return bytes + pos; }
    void skip(long n) { pos += n; }

private:
    const uint8_t* bytes;
    long size;
    long pos = 0;
};

bool readTable(Parser& p, int entries, std::vector<ImageColor>& table) {
    if (!p.has(3L * entries)) return false;
    table.resize(static_cast<size_t>(entries));
    for (int i = 0; i < entries; ++i) {
        const int r = p.byte(), g = p.byte(), b = p.byte();
        table[i].set(r / 255.0f, g / 255.0f, b / 255.0f);
    }
    return true;
}

// The number of pixels the LZW data give, up to total; -1 when they are corrupt. Only the
// lengths of the table's strings are kept, so damaged data are found at the cost of their
// codes, before any pixel is allocated.
long countPixels(const std::vector<uint8_t>& data, int code_size, long total) {
    const int clear = 1 << code_size, eoi = clear + 1;
    std::vector<int> length(GifFile::TABLE_SIZE, 1);
    int width = code_size + 1, next = clear + 2, prev = -1;
    long count = 0;
    BitReader bits(data);
    while (count < total) {
        const int code = bits.get(width);
        if (code < 0 || code == eoi) break;
        if (code == clear) {
            width = code_size + 1;
            next = clear + 2;
            prev = -1;
            continue;
        }
        if (prev < 0) {
            if (code >= clear) return -1;
            ++count;
            prev = code;
            continue;
        }
        if (code > next || (code == next && next >= GifFile::TABLE_SIZE)) return -1;
        count += code < next ? length[code] : length[prev] + 1;
        if (next < GifFile::TABLE_SIZE) {
            length[next] = length[prev] + 1;
            ++next;
            if (next == (1 << width) && width < GifFile::MAX_CODE_BITS) ++width;
        }
        prev = code;
    }
    return std::min(count, total);
}

// LZW decoding into the frame at (left, top); 0 when the data are corrupt or end early.
int decodePixels(const std::vector<uint8_t>& data, int code_size, bool interlaced, int left,
                 int top, int fw, int fh, Image& img) {
    const int clear = 1 << code_size, eoi = clear + 1;
    std::vector<int> prefix(GifFile::TABLE_SIZE, -1);
    std::vector<uint8_t> suffix(GifFile::TABLE_SIZE, 0);
    std::vector<uint8_t> stack(GifFile::TABLE_SIZE + 1);
    for (int i = 0; i < clear; ++i) suffix[i] = static_cast<uint8_t>(i);
    int width = code_size + 1, next = clear + 2, prev = -1, first = 0;
    const long total = static_cast<long>(fw) * fh;
    long count = 0;
    BitReader bits(data);
    auto emit = [&](int pixel) {
        if (count >= total) return;
        const int k = static_cast<int>(count / fw), x = static_cast<int>(count % fw);
        const int y = interlaced ? interlacedRow(k, fh) : k;
        img.setPixel(left + x, top + y, static_cast<uint32_t>(pixel));
        ++count;
    };
    while (count < total) {
        const int code = bits.get(width);
        if (code < 0) break;
        if (code == clear) {
            width = code_size + 1;
            next = clear + 2;
            prev = -1;
            continue;
        }
        if (code == eoi) break;
        if (prev < 0) {
            if (code >= clear) return 0;
            emit(code);
            prev = first = code;
            continue;
        }
        int cur;
        int sp = 0;
        if (code < next) {
            cur = code;
        } else if (code == next && next < GifFile::TABLE_SIZE) {
            stack[sp++] = static_cast<uint8_t>(first);
            cur = prev;
        } else {
            return 0;
        }
        while (cur >= clear) {
            if (sp >= GifFile::TABLE_SIZE) return 0;
            stack[sp++] = suffix[cur];
            cur = prefix[cur];
            if (cur < 0) return 0;
        }
        stack[sp++] = static_cast<uint8_t>(cur);
        first = cur;
        while (sp > 0) emit(stack[--sp]);
        if (next < GifFile::TABLE_SIZE) {
            prefix[next] = prev;
            suffix[next] = static_cast<uint8_t>(first);
            ++next;
            if (next == (1 << width) && width < GifFile::MAX_CODE_BITS) ++width;
        }
        prev = code;
    }
    return count >= total ? 1 : 0;
}

void takeComment(const std::vector<uint8_t>& text, Image& img) {
    const std::string s(text.begin(), text.end());
    const char* c = s.c_str();
    if (StrLib::equal(c, "ti=", 3)) {
        img.setInfo(c + 3);
    } else if (StrLib::equal(c, "pd=", 3) || StrLib::equal(c, "proj=", 5)) {
        img.setDomain(c + (c[1] == 'd' ? 3 : 5));
    }
}

} // namespace

int GifFile::decode(const uint8_t* bytes, long n, Image& img) {
    img.init();
    if (!bytes || n < 6 || std::memcmp(bytes, "GIF", 3) != 0) {
        Hyx::outWarning("GIF_read: Not a GIF file\n");
        return 0;
    }
    Parser p(bytes, n);
    p.skip(6);
    if (!p.has(7)) {
        Hyx::outWarning("GIF_read: truncated file\n");
        return 0;
    }
    int sw = p.word(), sh = p.word();
    const int packed = p.byte(), background = p.byte();
    p.byte(); // aspect
    std::vector<ImageColor> global;
    if ((packed & 0x80) && !readTable(p, 1 << ((packed & 7) + 1), global)) {
        Hyx::outWarning("GIF_read: truncated file\n");
        return 0;
    }
    img.setInfo("GIF");
    int trans = -1;
    for (;;) {
        const int tag = p.byte();
        if (tag < 0 || tag == 0x3B) break;
        if (tag == 0x21) {
            const int label = p.byte();
            std::vector<uint8_t> ext;
            if (label < 0 || !p.blocks(ext)) break;
            if (label == 0xF9 && ext.size() >= 4) {
                const int delay = ext[1] | (ext[2] << 8);
                Hyx::outDebug(2, "Graphics Control Extension\n");
                Hyx::outDebug(2, "Delay time: %d %.2f\n", delay, delay / 100.0);
                if (ext[0] & 1) {
                    trans = ext[3];
                    Hyx::outDebug(2, "Transparent color index: %d\n", trans);
                }
            } else if (label == 0xFF) {
                char id[9] = {};
                if (!ext.empty()) std::memcpy(id, ext.data(), std::min<size_t>(8, ext.size()));
                Hyx::outDebug(2, "Application identifier: %8.8s\n", id);
            } else if (label == 0xFE) {
                Hyx::outDebug(2, "Comment Data\n");
                takeComment(ext, img);
            }
            continue;
        }
        if (tag != 0x2C) {
            Hyx::outWarning("GIF_read: unknown block 0x%02X\n", tag);
            return 0;
        }
        if (!p.has(9)) break;
        const int left = p.word(), top = p.word(), fw = p.word(), fh = p.word();
        const int flags = p.byte();
        Hyx::outDebug(2, "X: %3d Y: %3d W: %3d H: %3d\n", left, top, fw, fh);
        std::vector<ImageColor> local;
        if ((flags & 0x80) && !readTable(p, 1 << ((flags & 7) + 1), local)) break;
        const int code_size = p.byte();
        if (code_size < 0) break;
        if (code_size < 1 || code_size > 8) {
            Hyx::outWarning("GIF_read: corrupt image data\n");
            return 0;
        }
        // The picture is the logical screen, grown to hold the image where it is placed.
        sw = std::max(sw, left + fw);
        sh = std::max(sh, top + fh);
        if (fw < 1 || fh < 1 || !Image::sizeAllowed(sw, sh)) {
            Hyx::outWarning("GIF_read: image size not supported: %dx%d\n", sw, sh);
            return 0;
        }
        // Beyond the image the screen only shows the background: one many times larger than
        // its image comes from a damaged header, and would cost its whole size to fill.
        const double screen = static_cast<double>(sw) * sh, frame = static_cast<double>(fw) * fh;
        if (screen > MAX_MARGIN_AREA && screen > MAX_SCREEN_RATIO * frame) {
            Hyx::outWarning("GIF_read: screen %dx%d far larger than its image %dx%d\n", sw, sh, fw,
                            fh);
            return 0;
        }
        std::vector<uint8_t> data;
        if (!p.blocks(data) && data.empty()) break;
        // Codes are code_size + 1 bits or more. The first after a clear code gives one pixel,
        // and each next one at most one more than the longest before it, up to a table string.
        const double codes = std::floor(static_cast<double>(data.size()) * 8.0 / (code_size + 1));
        const double ramp = std::min(codes, static_cast<double>(TABLE_SIZE));
        const double most = ramp * (ramp + 1) / 2 + (codes - ramp) * TABLE_SIZE;
        if (most < static_cast<double>(fw) * fh) {
            Hyx::outWarning("GIF_read: image data too short for %dx%d\n", fw, fh);
            return 0;
        }
        if (countPixels(data, code_size, static_cast<long>(fw) * fh) < static_cast<long>(fw) * fh) {
            Hyx::outWarning("GIF_read: corrupt image data\n");
            return 0;
        }
        const std::vector<ImageColor>& table = local.empty() ? global : local;
        const bool paint = !table.empty() && background < static_cast<int>(table.size());
        img.set(sw, sh, 8);
        img.setColorType(Image::MAPPED);
        img.allocData(!paint);
        if (paint) std::fill(img.data.begin(), img.data.end(), static_cast<uint8_t>(background));
        if (!table.empty()) {
            img.allocColors(static_cast<int>(table.size()));
            img.colors = table;
        } else {
            img.allocColors(256);
            for (int i = 0; i < 256; ++i) img.setColor(i, i / 255.0f, i / 255.0f, i / 255.0f);
        }
        img.setTransColor(trans);
        if (!decodePixels(data, code_size, (flags & 0x40) != 0, left, top, fw, fh, img)) {
            Hyx::outWarning("GIF_read: corrupt image data\n");
            img.data.clear();
            return 0;
        }
        return 1;
    }
    Hyx::outWarning("GIF_read: truncated file, no image\n");
    return 0;
}

int GifFile::read(Image& img) {
    if (!file || access != 0) return 0;
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    int n;
    while ((n = file->read(chunk, 1, sizeof chunk)) > 0) {
        if (static_cast<long>(bytes.size()) + n > MAX_FILE) {
            Hyx::outWarning("GIF_read: file too large\n");
            return 0;
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return decode(bytes.data(), static_cast<long>(bytes.size()), img);
}

} // namespace HYX
