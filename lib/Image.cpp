// A raster image with pixel access by layout, palette and channel masks.
#include "HYX/Image.h"

#include "HYX/Const.h"
#include "HYX/RGB.h"
#include "HYX/StrLib.h"

#include <cstdio>

namespace HYX {

namespace {

// The channel value scaled to 0..1: masked, shifted down to the mask's lowest bit.
float channel(uint32_t v, unsigned int mask) {
    if (mask == 0) return 0;
    unsigned int m = mask;
    uint32_t c = v & mask;
    while ((m & 1u) == 0) {
        m >>= 1;
        c >>= 1;
    }
    return static_cast<float>(c) / static_cast<float>(m);
}

} // namespace

void Image::init() {
    source = type = version = 0;
    datim[0] = info[0] = 0;
    width = height = depth = 0;
    xres = yres = xoff = yoff = 0;
    bits_pixel = bytes_line = 0;
    byte_order = 1;
    color_type = MAPPED;
    red_mask = grn_mask = blu_mask = 0;
    num_colors = 0;
    colors.clear();
    trans_color = -1;
    index = 0;
    pix_ave = true;
    cutoff.fill(Const::MISS);
    cutbase = -1;
    numcut = 0;
    values.clear();
    data.clear();
}

int Image::set(int w, int h, int d) {
    width = w > 0 ? w : 0;
    height = h > 0 ? h : 0;
    depth = d > 0 ? d : 0;
    bits_pixel = depth;
    return setBytesLine();
}

int Image::setBytesLine() {
    bytes_line = width * depth / 8;
    return 1;
}

int Image::allocData() {
    data.clear();
    if (bytes_line < 1 || height < 1) return 0;
    data.assign(static_cast<size_t>(bytes_line) * static_cast<size_t>(height), 0);
    return 1;
}

int Image::allocColors(int n) {
    colors.clear();
    num_colors = 0;
    if (n <= 0) return 0;
    colors.resize(n);
    num_colors = n;
    return 1;
}

void Image::setMasks(unsigned int r, unsigned int g, unsigned int b) {
    red_mask = r;
    grn_mask = g;
    blu_mask = b;
}

void Image::setInfo(const char* text) { StrLib::copy(info, sizeof info, text); }

int Image::setColor(int i, float r, float g, float b) {
    if (i < 0 || i >= num_colors) return 0;
    colors[i].r = r;
    colors[i].g = g;
    colors[i].b = b;
    return 1;
}

int Image::setColor(int i, const RGB& c) { return setColor(i, c.red, c.grn, c.blu); }

float Image::getRed(int i) const { return i >= 0 && i < num_colors ? colors[i].r : -1; }
float Image::getGrn(int i) const { return i >= 0 && i < num_colors ? colors[i].g : -1; }
float Image::getBlu(int i) const { return i >= 0 && i < num_colors ? colors[i].b : -1; }

int Image::getRGB(int i, RGB& c) const {
    c.set(getRed(i), getGrn(i), getBlu(i));
    return i >= 0 && i < num_colors ? 1 : 0;
}

int Image::setColorVal(int i, int v) {
    if (i < 0 || i >= num_colors) return 0;
    colors[i].val = v;
    return 1;
}

int Image::getColorVal(int i) const { return i >= 0 && i < num_colors ? colors[i].val : -1; }

bool Image::inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }

// Byte offset of a pixel, or -1 when the pixel's bytes lie outside the data.
long Image::offsetOf(int x, int y) const {
    if (!inside(x, y) || bits_pixel < 8) return -1;
    const int nb = bits_pixel / 8;
    const long off = static_cast<long>(y) * bytes_line + static_cast<long>(x) * nb;
    if (off < 0 || off + nb > static_cast<long>(data.size())) return -1;
    return off;
}

uint32_t Image::getVal(int x, int y) const {
    const long off = offsetOf(x, y);
    if (off < 0) return 0;
    const int nb = bits_pixel / 8 > 4 ? 4 : bits_pixel / 8;
    uint32_t v = 0;
    for (int k = 0; k < nb; ++k) {
        const uint32_t b = data[off + k];
        if (byte_order == 1)
            v = (v << 8) | b;
        else
            v |= b << (8 * k);
    }
    return v;
}

int Image::getPixel(int x, int y) const {
    if (!inside(x, y)) return 0;
    const uint32_t v = getVal(x, y);
    if (depth == 8 && num_colors > 0) {
        const int i = v < static_cast<uint32_t>(num_colors) ? static_cast<int>(v) : num_colors - 1;
        return colors[i].val;
    }
    return static_cast<int>(v);
}

int Image::setPixel(int x, int y, uint32_t v) {
    const long off = offsetOf(x, y);
    if (off < 0) return 0;
    const int nb = bits_pixel / 8 > 4 ? 4 : bits_pixel / 8;
    for (int k = 0; k < nb; ++k) {
        const int shift = byte_order == 1 ? 8 * (nb - 1 - k) : 8 * k;
        data[off + k] = static_cast<unsigned char>((v >> shift) & 0xFFu);
    }
    return 1;
}

int Image::getRGB(int x, int y, RGB& c) const {
    c.set(0, 0, 0);
    if (!inside(x, y)) return 0;
    const uint32_t v = getVal(x, y);
    if (color_type == MAPPED) {
        if (num_colors < 1) return 0;
        const int i = v < static_cast<uint32_t>(num_colors) ? static_cast<int>(v) : num_colors - 1;
        c.set(colors[i].r, colors[i].g, colors[i].b);
        return 1;
    }
    if (color_type == DIRECT) {
        c.set(channel(v, red_mask), channel(v, grn_mask), channel(v, blu_mask));
        return 1;
    }
    return 0;
}

bool Image::isPixelTrans(int x, int y) const {
    if (!inside(x, y)) return false;
    const uint32_t v = getVal(x, y);
    if (trans_color >= 0 && v == static_cast<uint32_t>(trans_color)) return true;
    return color_type == MAPPED && v < static_cast<uint32_t>(num_colors) && colors[v].r == -1;
}

void Image::print() const {
    std::printf("Source: %d\n", source);
    std::printf("Version: %d\n", version);
    std::printf("Date: %s\n", datim);
    std::printf("Info: %s\n", info);
    std::printf("Type: %d\n", type);
    std::printf("Size: %dx%d\n", width, height);
    std::printf("Resolution: %.2fx%.2f\n", xres, yres);
    std::printf("Offset: %.2fx%.2f\n", xoff, yoff);
    std::printf("Depth: %d\n", depth);
    std::printf("Bits per pixel: %d\n", bits_pixel);
    std::printf("Bytes per line: %d\n", bytes_line);
    std::printf("Bytes order: %d\n", byte_order);
    std::printf("Type of color: %d\n", color_type);
    std::printf("Number of colors: %d (%p)\n", num_colors,
                colors.empty() ? nullptr : static_cast<const void*>(colors.data()));
    std::printf("Transparent color: %d\n", trans_color);
}

} // namespace HYX
