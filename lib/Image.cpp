// A raster image with pixel access by layout, palette, channel masks and data values.
#include "HYX/Image.h"

#include "HYX/Const.h"
#include "HYX/DomainTool.h"
#include "HYX/RGB.h"
#include "HYX/StrLib.h"

#include <cmath>
#include <cstdio>
#include <cstring>

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
    date.init();
    width = height = depth = 0;
    xres = yres = xoff = yoff = 0;
    bits_pixel = bytes_line = 0;
    byte_order = 1;
    color_type = MAPPED;
    red_mask = grn_mask = blu_mask = 0;
    num_colors = 0;
    colors.clear();
    trans_color = -1;
    domain.init();
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

int Image::set(const Domain& d, int dep) {
    domain = d;
    return set(d.nx == Const::MISS ? 0 : d.nx, d.ny == Const::MISS ? 0 : d.ny, dep);
}

int Image::set(const DomainVal& d, int dep) { return set(Domain(d), dep); }

int Image::setBytesLine() {
    bytes_line = static_cast<int>(static_cast<long>(width) * depth / 8);
    return 1;
}

bool Image::sizeAllowed(long w, long h) {
    return w >= 1 && h >= 1 && w <= MAX_SIDE && h <= MAX_SIDE && w * h <= MAX_PIXELS;
}

int Image::allocData() { return allocData(true); }

int Image::allocData(bool clear) {
    if (bytes_line < 1 || height < 1) {
        data.clear();
        return 0;
    }
    // Sized without touching the bytes, then cleared at once.
    const size_t n = static_cast<size_t>(bytes_line) * static_cast<size_t>(height);
    data.resize(n);
    if (clear) std::memset(data.data(), 0, n);
    return 1;
}

int Image::allocColors(int n) {
    colors.clear();
    num_colors = 0;
    if (n <= 0) return 0;
    colors.resize(static_cast<size_t>(n));
    num_colors = n;
    return 1;
}

void Image::copyInfo(const Image& s) {
    source = s.source;
    type = s.type;
    version = s.version;
    StrLib::copy(datim, sizeof datim, s.datim);
    date = s.date;
    StrLib::copy(info, sizeof info, s.info);
    width = s.width;
    height = s.height;
    depth = s.depth;
    xres = s.xres;
    yres = s.yres;
    xoff = s.xoff;
    yoff = s.yoff;
    bits_pixel = s.bits_pixel;
    bytes_line = s.bytes_line;
    byte_order = s.byte_order;
    color_type = s.color_type;
    red_mask = s.red_mask;
    grn_mask = s.grn_mask;
    blu_mask = s.blu_mask;
    num_colors = s.num_colors;
    colors = s.colors;
    trans_color = s.trans_color;
    domain = s.domain;
    index = s.index;
    pix_ave = s.pix_ave;
    cutoff = s.cutoff;
    cutbase = s.cutbase;
    numcut = s.numcut;
    values = s.values;
}

void Image::copyData(const Image& s) { data = s.data; }

void Image::setMasks(unsigned int r, unsigned int g, unsigned int b) {
    red_mask = r;
    grn_mask = g;
    blu_mask = b;
}

int Image::setDomain(const char* text) {
    DomainVal v;
    if (!DomainTool::decode(v, text) || !v.isSet()) return 0;
    Domain d;
    if (!d.set(v)) return 0;
    domain = d;
    return 1;
}

void Image::setInfo(const char* text) { StrLib::copy(info, sizeof info, text); }
void Image::setDatim(const char* text) { StrLib::copy(datim, sizeof datim, text); }

unsigned char* Image::getRow(int y) {
    if (y < 0 || y >= height || data.size() < static_cast<size_t>(bytes_line) * (y + 1))
        return nullptr;
    return data.data() + static_cast<size_t>(bytes_line) * y;
}

const unsigned char* Image::getRow(int y) const { return const_cast<Image*>(this)->getRow(y); }

int Image::setColor(int i, float r, float g, float b) {
    if (i < 0 || i >= num_colors) return 0;
    colors[i].set(r, g, b);
    return 1;
}

int Image::setColor(int i, const RGB& c) { return setColor(i, c.red, c.grn, c.blu); }

int Image::setRed(int i, float v) {
    if (i < 0 || i >= num_colors) return 0;
    colors[i].r = v;
    return 1;
}
int Image::setGrn(int i, float v) {
    if (i < 0 || i >= num_colors) return 0;
    colors[i].g = v;
    return 1;
}
int Image::setBlu(int i, float v) {
    if (i < 0 || i >= num_colors) return 0;
    colors[i].b = v;
    return 1;
}

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
    return color_type == MAPPED && v < static_cast<uint32_t>(num_colors) && colors[v].isTrans();
}

int Image::tran(const Point& p, GridPoint& g) const { return domain.tran(p, g); }
int Image::tran(const EarthPoint& e, GridPoint& g) const { return domain.tran(e, g); }
int Image::tran(const GridPoint& g, Point& p) const { return domain.tran(g, p); }
int Image::tran(const GridPoint& g, EarthPoint& e) const { return domain.tran(g, e); }

// The pixel nearest to a fractional grid position.
bool Image::pixelOf(const GridPoint& g, int& x, int& y) {
    if (!g.valid() || !std::isfinite(g.gx) || !std::isfinite(g.gy)) return false;
    const double fx = std::floor(g.gx + 0.5), fy = std::floor(g.gy + 0.5);
    if (fx < 0 || fy < 0 || fx > MAX_SIDE || fy > MAX_SIDE) return false;
    x = static_cast<int>(fx);
    y = static_cast<int>(fy);
    return true;
}

int Image::getPixel(const GridPoint& g) const {
    int x, y;
    return pixelOf(g, x, y) ? getPixel(x, y) : 0;
}

int Image::getPixel(const Point& p) const {
    GridPoint g;
    return tran(p, g) ? getPixel(g) : 0;
}

int Image::getPixel(const EarthPoint& e) const {
    GridPoint g;
    return tran(e, g) ? getPixel(g) : 0;
}

int Image::allocValues() {
    values.assign(NUM_VALUES, Const::FMISS);
    return 1;
}

int Image::setValues(const std::vector<float>& v) {
    return setValues(v.empty() ? nullptr : v.data(), static_cast<int>(v.size()));
}

int Image::setValues(const float* v, int n) {
    allocValues();
    if (!v || n <= 0) return 0;
    for (int i = 0; i < n && i < NUM_VALUES; ++i) values[i] = v[i];
    return 1;
}

float Image::getValueOf(int i) const {
    if (i < 0 || i >= static_cast<int>(values.size())) return Const::FMISS;
    return values[i];
}

int Image::getIndex(float v) const {
    if (v == Const::FMISS) return -1;
    int best = -1;
    float dist = 0;
    for (int i = 0; i < static_cast<int>(values.size()); ++i) {
        if (values[i] == Const::FMISS) continue;
        const float d = std::fabs(values[i] - v);
        if (best < 0 || d < dist) {
            best = i;
            dist = d;
        }
    }
    return best;
}

float Image::getValue(int x, int y) const {
    if (!inside(x, y) || values.empty()) return Const::FMISS;
    return getValueOf(static_cast<int>(getVal(x, y)));
}

float Image::getValue(const GridPoint& g) const {
    int x, y;
    return pixelOf(g, x, y) ? getValue(x, y) : Const::FMISS;
}

float Image::getValue(const Point& p) const {
    GridPoint g;
    return tran(p, g) ? getValue(g) : Const::FMISS;
}

float Image::getValue(const EarthPoint& e) const {
    GridPoint g;
    return tran(e, g) ? getValue(g) : Const::FMISS;
}

int Image::setValue(int x, int y, float v) {
    const int i = getIndex(v);
    return i < 0 ? 0 : setPixel(x, y, static_cast<uint32_t>(i));
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
    std::printf("Image domain: ");
    if (domain.isSet())
        domain.print();
    else
        std::printf("none\n");
}

} // namespace HYX
