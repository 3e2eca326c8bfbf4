// Pictures in pixels drawn with cairo, written as PNG or GIF by the library's image writers.
#include "HYX/CairoRaster.h"

#include "HYX/GifFile.h"
#include "HYX/Image.h"
#include "HYX/LineScan.h"
#include "HYX/PngFile.h"

#include <algorithm>
#include <cairo.h>
#include <cstdint>
#include <cstring>

namespace HYX {

namespace {

bool sideAllowed(float v) { return v >= 1 && v <= CairoRaster::MAX_SIDE; }

} // namespace

CairoRaster::CairoRaster(Format f) : CairoDevice(f == GIF ? GIF : PNG, "CairoRaster") { init(); }

std::unique_ptr<CairoRaster> CairoRaster::offscreen(Format f, int w, int h) {
    auto dev = std::make_unique<CairoRaster>(f);
    dev->setSize(static_cast<float>(w), static_cast<float>(h));
    dev->setOffscreen();
    return dev;
}

int CairoRaster::init() {
    CairoDevice::init();
    width = DEFAULT_WIDTH;
    height = DEFAULT_HEIGHT;
    return 1;
}

int CairoRaster::setSize(float w, float h) {
    if (!sideAllowed(w) || !sideAllowed(h)) return 0;
    width = static_cast<float>(static_cast<int>(w));
    height = static_cast<float>(static_cast<int>(h));
    return 1;
}

int CairoRaster::setOffset(float px, float py) {
    x = px;
    y = py;
    return 1;
}

int CairoRaster::setOption(const char* item) {
    if (!LineScan::istartsWith(item, "size=")) return 0;
    float w = 0, h = 0;
    if (!parseSize(item + 5, w, h) || w != static_cast<int>(w) || h != static_cast<int>(h) ||
        !sideAllowed(w) || !sideAllowed(h)) {
        paramError("\"%s\" is not a size from 1x1 to 8192x8192 pixels", item);
        return -1;
    }
    setSize(w, h);
    return 1;
}

double CairoRaster::unitsPerPoint() const {
    const double longer = std::max(width, height), shorter = std::min(width, height);
    return std::min(longer / PAGE_W, shorter / PAGE_H);
}

cairo_surface_t* CairoRaster::makeSurface() {
    const int w = static_cast<int>(width), h = static_cast<int>(height);
    // Cairo keeps each pixel as one native 32-bit value 0x00RRGGBB.
    const uint32_t probe = 1;
    unsigned char first = 0;
    std::memcpy(&first, &probe, 1);
    canvas.init();
    canvas.set(w, h, 24);
    canvas.setBitsPixel(32);
    canvas.setBytesLine(w * 4);
    canvas.setByteOrder(first == 1 ? 0 : 1);
    canvas.setColorType(Image::DIRECT);
    canvas.setMasks(0xFF0000u, 0xFF00u, 0xFFu);
    canvas.allocData();
    if (!canvas.validData()) return nullptr;
    std::memset(canvas.getData(), 0xFF, static_cast<size_t>(w) * 4 * h);
    return cairo_image_surface_create_for_data(canvas.getData(), CAIRO_FORMAT_RGB24, w, h, w * 4);
}

int CairoRaster::getImage(Image& img) {
    img.init();
    cairo_surface_t* s = getSurface();
    if (!isOpen() || !s) return 0;
    flushStrokes();
    cairo_surface_flush(s);
    img = canvas;
    return 1;
}

bool CairoRaster::writePicture(cairo_surface_t* s) {
    cairo_surface_flush(s);
    canvas.setInfo(title);
    if (format == GIF) {
        GifFile gif;
        return gif.open(file.asFile(), 1) && gif.write(canvas) && gif.close();
    }
    PngFile png;
    png.setTitle(title);
    return png.open(file.asFile(), 1) && png.write(canvas) && png.close();
}

} // namespace HYX
