// Helpers for the image file tests: test pictures and independent decoders.
#ifndef HYX_TEST_IMAGETESTUTIL_H
#define HYX_TEST_IMAGETESTUTIL_H

#include "HYX/Image.h"
#include "HYX/RGB.h"

#include "TestUtil.h"

#include <cstdint>
#include <string>

namespace testutil {

// An 8-bit colour-mapped picture of n colours (component k/255 exactly), pixel values from
// a small pseudo-random generator so that the LZW table fills and clears.
inline HYX::Image mappedPicture(int w, int h, int n, uint32_t seed = 12345) {
    HYX::Image img;
    img.set(w, h, 8);
    img.setColorType(HYX::Image::MAPPED);
    img.allocData();
    img.allocColors(n);
    for (int i = 0; i < n; ++i)
        img.setColor(i, ((i * 37) % 256) / 255.0f, ((i * 91 + 40) % 256) / 255.0f,
                     ((255 - i * 13) % 256) / 255.0f);
    uint32_t s = seed;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            s = s * 1103515245u + 12345u;
            // Runs of equal pixels as well as noise: both code paths of the coder.
            const uint32_t v = (x / 7 + y / 3) % 4 == 0 ? (y % n) : (s >> 16) % n;
            img.setPixel(x, y, v);
        }
    return img;
}

// A direct-colour picture (masks 0xFF0000, 0xFF00, 0xFF) of the given depth and byte order,
// pixel (x, y) set to value(x, y).
template <class F> HYX::Image directPicture(int w, int h, int bits, F value, int order = 1) {
    HYX::Image img;
    img.set(w, h, bits);
    img.setByteOrder(order);
    img.setColorType(HYX::Image::DIRECT);
    img.setMasks(0xFF0000u, 0xFF00u, 0xFFu);
    img.allocData();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, value(x, y));
    return img;
}

// The picture as packed 8-bit RGB rows, components truncated (as the GIF table stores them).
inline std::string rgbBytes(const HYX::Image& img) {
    std::string out;
    HYX::RGB c;
    auto byte = [](float v) {
        return static_cast<char>(v <= 0 ? 0 : v >= 1 ? 255 : static_cast<int>(255 * v + 0.001f));
    };
    for (int y = 0; y < img.getHeight(); ++y)
        for (int x = 0; x < img.getWidth(); ++x) {
            img.getRGB(x, y, c);
            out += byte(c.red);
            out += byte(c.grn);
            out += byte(c.blu);
        }
    return out;
}

// The pixel bytes of a picture, row after row ("" without data).
inline std::string pixelBytes(const HYX::Image& img) {
    const auto* p = reinterpret_cast<const char*>(img.getData());
    return p ? std::string(p, static_cast<size_t>(img.getBytesLine()) * img.getHeight()) : "";
}

// What a Python statement prints about the image file opened by PIL as im; "ERROR ..." on
// failure.
inline std::string pil(const std::string& path, const std::string& expr) {
    const RunResult r = run("/usr/bin/python3 -c \"import sys; from PIL import Image; "
                            "im=Image.open(sys.argv[1]); " +
                            expr + "\" " + shellQuote(path));
    return r.status == 0 ? r.out : "ERROR " + r.err;
}

// Decodes an image file with PIL: "w h\n" followed by the RGB bytes.
inline std::string pilRGB(const std::string& path) {
    return pil(path, "im.load(); sys.stdout.buffer.write(b'%d %d\\n' % im.size + "
                     "im.convert('RGB').tobytes())");
}

// A PIL attribute of an image file, printed with Python's repr.
inline std::string pilInfo(const std::string& path, const std::string& expr) {
    return pil(path, "print(repr(" + expr + "))");
}

inline std::string header(const HYX::Image& img) {
    return std::to_string(img.getWidth()) + " " + std::to_string(img.getHeight()) + "\n";
}

} // namespace testutil

#endif
