// Pixel transfer between images and X images.
#include "HYX/XImageTool.h"

#include "HYX/Image.h"
#include "HYX/RGB.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cmath>
#include <cstdio>

namespace HYX {

namespace {

// 8 x 8 stipples of the fill patterns, first row first, least significant bit leftmost.
const unsigned char FILL_BITS[XImageTool::NUM_FILL_PATTERN][8] = {
    {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
    {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55},
    {0x55, 0x00, 0x55, 0x00, 0x55, 0x00, 0x55, 0x00},
    {0x24, 0x11, 0x82, 0x48, 0x42, 0x11, 0x28, 0x84},
    {0x33, 0x33, 0x00, 0x00, 0xCC, 0xCC, 0x00, 0x00},
    {0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33},
    {0x03, 0x06, 0x0C, 0x18, 0x30, 0x60, 0xC0, 0x81},
    {0x81, 0xC0, 0x60, 0x30, 0x18, 0x0C, 0x06, 0x03},
    {0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00},
    {0xC3, 0x66, 0x3C, 0x18, 0x3C, 0x66, 0xC3, 0x81},
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
    {0x40, 0x10, 0x20, 0x01, 0x00, 0x04, 0x08, 0x02},
    {0x08, 0xA0, 0x44, 0x11, 0x22, 0x10, 0x81, 0x44},
    {0x45, 0x28, 0x94, 0x43, 0x50, 0x09, 0x52, 0xA8},
    {0x19, 0xCA, 0x34, 0x1A, 0xE1, 0x32, 0xA5, 0xCC},
    {0x55, 0xDC, 0x3B, 0xE2, 0x97, 0xAA, 0x65, 0x3E},
    {0x7A, 0xE5, 0x5F, 0xAB, 0xF5, 0xEB, 0x5E, 0xB5},
    {0xFE, 0xBB, 0xF5, 0x6F, 0xFE, 0xD7, 0xBD, 0xEB},
    {0xFD, 0xFF, 0xEF, 0x7F, 0xDF, 0xFE, 0xF7, 0xAF},
    {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};

} // namespace

unsigned long XImageTool::toChannel(float c, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1ul) == 0) ++shift;
    const unsigned long top = mask >> shift;
    const float f = c > 0 ? (c < 1 ? c : 1) : 0;
    return (static_cast<unsigned long>(f * static_cast<float>(top) + 0.5f) << shift) & mask;
}

void XImageTool::fill(const Image& img, XImage* xi, const Channels& screen) {
    const int w = img.getWidth();
    const int h = img.getHeight();
    const bool recompose =
        img.getColorType() == Image::DIRECT && img.red_mask != 0 &&
        (img.red_mask != screen.red || img.grn_mask != screen.green || img.blu_mask != screen.blue);
    RGB c;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned long p = static_cast<unsigned int>(img.getPixel(x, y));
            if (recompose) {
                img.getRGB(x, y, c);
                p = toChannel(c.red, screen.red) | toChannel(c.grn, screen.green) |
                    toChannel(c.blu, screen.blue);
            }
            XPutPixel(xi, x, y, p);
        }
}

std::vector<char> XImageTool::maskBits(const Image& img, const Mask& m) {
    const int w = img.getWidth();
    const int h = img.getHeight();
    const int bpl = (w + 7) / 8;
    std::vector<char> bits(static_cast<size_t>(bpl) * static_cast<size_t>(h > 0 ? h : 0), 0);
    for (int y = 0; y < h; ++y) {
        const int sy = m.y + y;
        if (sy < m.clip_y1 || sy >= m.clip_y2) continue;
        for (int x = 0; x < w; ++x) {
            const int sx = m.x + x;
            if (sx < m.clip_x1 || sx >= m.clip_x2) continue;
            const long v = m.by_pixel
                               ? static_cast<long>(static_cast<unsigned int>(img.getPixel(x, y)))
                               : static_cast<long>(img.getVal(x, y));
            if (v != m.trans)
                bits[static_cast<size_t>(y) * bpl + x / 8] |= static_cast<char>(1 << (x % 8));
        }
    }
    return bits;
}

void XImageTool::read(XImage* xi, const Channels& screen, Image& img) {
    img.init();
    img.set(xi->width, xi->height, xi->depth);
    img.setBitsPixel(xi->bits_per_pixel);
    img.setBytesLine(xi->bytes_per_line);
    img.setColorType(Image::DIRECT);
    img.setByteOrder(xi->byte_order == MSBFirst ? 1 : 0);
    img.setMasks(static_cast<unsigned int>(screen.red), static_cast<unsigned int>(screen.green),
                 static_cast<unsigned int>(screen.blue));
    img.allocData();
    for (int y = 0; y < xi->height; ++y)
        for (int x = 0; x < xi->width; ++x)
            img.setPixel(x, y, static_cast<uint32_t>(XGetPixel(xi, x, y)));
}

const unsigned char* XImageTool::fillPattern(int code) {
    return FILL_BITS[code >= 0 && code < NUM_FILL_PATTERN ? code : 0];
}

// Isolines over the ground inside a frame.
std::vector<unsigned char> XImageTool::iconBits(int n) {
    const int bpl = (n + 7) / 8;
    std::vector<unsigned char> b(static_cast<size_t>(bpl) * static_cast<size_t>(n > 0 ? n : 0), 0);
    auto set = [&](int x, int y) {
        if (x >= 0 && x < n && y >= 0 && y < n) b[y * bpl + x / 8] |= 1u << (x % 8);
    };
    for (int i = 0; i < n; ++i) set(i, 0), set(i, n - 1), set(0, i), set(n - 1, i);
    for (int k = 0; k < 3; ++k)
        for (int x = 2; x < n - 2; ++x)
            set(x, n * (3 + 3 * k) / 16 +
                       static_cast<int>(std::lround(n / 16.0 * std::sin((x + 7 * k) * 0.25))));
    for (int x = 1; x < n - 1; ++x)
        for (int y = n * 5 / 6 + static_cast<int>(std::lround(n / 24.0 * std::sin(x * 0.2)));
             y < n - 1; ++y)
            set(x, y);
    return b;
}

void XImageTool::print(const XImage* xi) {
    if (!xi) return;
    std::printf("width: %d\n", xi->width);
    std::printf("height: %d\n", xi->height);
    std::printf("xoffset: %d\n", xi->xoffset);
    std::printf("format: %d\n", xi->format);
    std::printf("byte_order: %d\n", xi->byte_order);
    std::printf("bitmap_unit: %d\n", xi->bitmap_unit);
    std::printf("bitmap_bit_order: %d\n", xi->bitmap_bit_order);
    std::printf("bitmap_pad: %d\n", xi->bitmap_pad);
    std::printf("depth: %d\n", xi->depth);
    std::printf("bytes_per_line: %d\n", xi->bytes_per_line);
    std::printf("bits_per_pixel: %d\n", xi->bits_per_pixel);
    std::printf("red_mask: %X\n", static_cast<unsigned int>(xi->red_mask));
    std::printf("green_mask: %X\n", static_cast<unsigned int>(xi->green_mask));
    std::printf("blue_mask: %X\n", static_cast<unsigned int>(xi->blue_mask));
}

} // namespace HYX
