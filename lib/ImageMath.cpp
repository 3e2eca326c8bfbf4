// Image conversions.
#include "HYX/ImageMath.h"

#include "HYX/Domain.h"
#include "HYX/Image.h"
#include "HYX/RGB.h"

#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace HYX {

namespace {

// Key standing for the transparent pixel value among the 24-bit colours.
constexpr uint32_t TRANS_KEY = 0x1000000u;

uint32_t packed(const RGB& c) {
    return (static_cast<uint32_t>(RGB::toByte(c.red)) << 16) |
           (static_cast<uint32_t>(RGB::toByte(c.grn)) << 8) |
           static_cast<uint32_t>(RGB::toByte(c.blu));
}

void startIndexed(const Image& in, Image& out) {
    out.init();
    out.copyInfo(in);
    out.set(in.getWidth(), in.getHeight(), 8);
    out.setByteOrder(1);
    out.setColorType(Image::MAPPED);
    out.setMasks(0, 0, 0);
    out.values.clear();
    out.setTransColor(-1);
    out.allocData();
}

// Pixel values of in used directly as indexes into a palette.
int copyIndexes(const Image& in, Image& out) {
    const int w = in.getWidth(), h = in.getHeight();
    for (int y = 0; y < h; ++y) {
        unsigned char* row = out.getRow(y);
        for (int x = 0; x < w; ++x) row[x] = static_cast<unsigned char>(in.getVal(x, y) & 0xFFu);
    }
    return 1;
}

int greyPalette(Image& out) {
    out.allocColors(256);
    for (int i = 0; i < 256; ++i) out.setColor(i, i / 255.0f, i / 255.0f, i / 255.0f);
    return 1;
}

int directToIndex(const Image& in, Image& out) {
    const int w = in.getWidth(), h = in.getHeight();
    const bool trans = in.hasTransColor();
    const uint32_t tval = static_cast<uint32_t>(in.getTransColor());
    // First pass: the distinct colours, stopping once there are too many.
    std::unordered_map<uint32_t, int> index;
    std::vector<uint32_t> order;
    bool exact = true;
    RGB c;
    RGB tcol(0, 0, 0); // the colour under the transparent value, for viewers that ignore it
    for (int y = 0; y < h && exact; ++y) {
        uint32_t last_val = 0;
        uint32_t last_key = 0;
        bool have_last = false;
        for (int x = 0; x < w; ++x) {
            const uint32_t v = in.getVal(x, y);
            uint32_t key;
            if (have_last && v == last_val) {
                key = last_key;
            } else if (trans && v == tval) {
                key = TRANS_KEY;
                in.getRGB(x, y, tcol);
            } else {
                in.getRGB(x, y, c);
                key = packed(c);
            }
            last_val = v;
            last_key = key;
            have_last = true;
            if (index.find(key) != index.end()) continue;
            if (order.size() >= 256) {
                exact = false;
                break;
            }
            index.emplace(key, static_cast<int>(order.size()));
            order.push_back(key);
        }
    }
    const int n = ImageMath::CUBE_LEVELS;
    if (exact) {
        out.allocColors(static_cast<int>(order.size()));
        for (size_t i = 0; i < order.size(); ++i) {
            const uint32_t k = order[i];
            if (k == TRANS_KEY) {
                out.setColor(static_cast<int>(i), tcol);
                out.setTransColor(static_cast<int>(i));
            } else {
                out.setColor(static_cast<int>(i), ((k >> 16) & 0xFF) / 255.0f,
                             ((k >> 8) & 0xFF) / 255.0f, (k & 0xFF) / 255.0f);
            }
        }
    } else {
        const int ncube = n * n * n;
        out.allocColors(ncube + (trans ? 1 : 0));
        for (int r = 0; r < n; ++r)
            for (int g = 0; g < n; ++g)
                for (int b = 0; b < n; ++b)
                    out.setColor((r * n + g) * n + b, r / (n - 1.0f), g / (n - 1.0f),
                                 b / (n - 1.0f));
        if (trans) {
            out.setColor(ncube, 0, 0, 0);
            out.setTransColor(ncube);
        }
    }
    for (int y = 0; y < h; ++y) {
        unsigned char* row = out.getRow(y);
        for (int x = 0; x < w; ++x) {
            const uint32_t v = in.getVal(x, y);
            int i;
            if (trans && v == tval) {
                i = exact ? index[TRANS_KEY] : n * n * n;
            } else {
                in.getRGB(x, y, c);
                if (exact) {
                    i = index[packed(c)];
                } else {
                    auto level = [](float f) {
                        const int l = static_cast<int>(std::lround(f * (n - 1)));
                        return l < 0 ? 0 : (l >= n ? n - 1 : l);
                    };
                    i = (level(c.red) * n + level(c.grn)) * n + level(c.blu);
                }
            }
            row[x] = static_cast<unsigned char>(i);
        }
    }
    return 1;
}

} // namespace

int ImageMath::toIndex(const Image& in, int depth, Image& out) {
    if (depth != 8 || in.getWidth() < 1 || in.getHeight() < 1 || !in.validData()) return 0;
    if (&in == &out) {
        Image copy(in);
        return toIndex(copy, depth, out);
    }
    startIndexed(in, out);
    if (in.getColorType() == Image::DIRECT) return directToIndex(in, out);
    // Colour-mapped and data-value pictures: pixel values are palette indexes.
    if (in.getNumColors() > 0) {
        out.colors = in.colors;
        out.num_colors = in.num_colors;
        if (out.num_colors > 256) {
            out.colors.resize(256);
            out.num_colors = 256;
        }
        out.setTransColor(in.getTransColor() < 256 ? in.getTransColor() : -1);
    } else {
        greyPalette(out);
    }
    return copyIndexes(in, out);
}

int ImageMath::remap(const Image& in, const Domain& d, Image& out) {
    if (!in.validData() || !d.isSet() || !in.hasDomain() || d.nx < 1 || d.ny < 1) return 0;
    if (!Image::sizeAllowed(d.nx, d.ny)) return 0;
    if (&in == &out) {
        Image copy(in);
        return remap(copy, d, out);
    }
    out.init();
    out.copyInfo(in);
    out.set(d, in.getDepth());
    out.setBitsPixel(in.getBitsPixel());
    out.setBytesLine(static_cast<int>(static_cast<long>(d.nx) * in.getBitsPixel() / 8));
    out.allocData();
    // Outside pixels: a transparent palette entry, or the transparent value.
    uint32_t outside = 0;
    if (out.getColorType() != Image::DIRECT && out.getNumColors() < 256) {
        out.colors.push_back(ImageColor(-1, -1, -1));
        out.num_colors = static_cast<int>(out.colors.size());
        outside = static_cast<uint32_t>(out.num_colors - 1);
        out.setTransColor(out.num_colors - 1);
    } else if (in.hasTransColor()) {
        outside = static_cast<uint32_t>(in.getTransColor());
    }
    for (int y = 0; y < d.ny; ++y)
        for (int x = 0; x < d.nx; ++x) {
            EarthPoint e;
            GridPoint g;
            int sx = -1, sy = -1;
            if (d.tran(GridPoint(static_cast<float>(x), static_cast<float>(y)), e) &&
                in.tran(e, g) && std::isfinite(g.gx) && std::isfinite(g.gy)) {
                const double fx = std::floor(g.gx + 0.5), fy = std::floor(g.gy + 0.5);
                if (fx >= 0 && fy >= 0 && fx < in.getWidth() && fy < in.getHeight()) {
                    sx = static_cast<int>(fx);
                    sy = static_cast<int>(fy);
                }
            }
            out.setPixel(x, y, sx >= 0 ? in.getVal(sx, sy) : outside);
        }
    return 1;
}

} // namespace HYX
