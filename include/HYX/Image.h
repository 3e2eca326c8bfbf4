// A raster image: size, pixel layout, an optional palette and the pixel bytes, row 0 first.
// Pixel values are split into colours by the channel masks (direct colour), looked up in
// the palette (colour-mapped) or in the value table (data values). An image may carry its
// date, a title and the domain that places it on the earth or in a diagram.
#ifndef HYX_IMAGE_H
#define HYX_IMAGE_H

#include "HYX/Date.h"
#include "HYX/Domain.h"
#include "HYX/Export.h"
#include "HYX/ImageColor.h"
#include "HYX/PixelAllocator.h"

#include <array>
#include <cstdint>
#include <vector>

namespace HYX {

class RGB;

class HYX_API Image {
public:
    enum ColorType { DIRECT = 0, MAPPED = 1, VALUES = 2 };
    static constexpr int NUM_CUTOFF = 7;
    static constexpr int NUM_VALUES = 256;
    // Readers refuse images with more pixels than this, and sizes their data cannot fill,
    // so that a corrupt size never turns into a huge allocation; 8192 x 8192 covers any
    // picture this system makes or reads.
    static constexpr long MAX_PIXELS = 1L << 26;
    static constexpr int MAX_SIDE = 65535;

    Image() { init(); }

    void init();
    // Size and depth; bits per pixel = depth, bytes per line = width * depth / 8.
    int set(int w, int h, int d);
    // The domain and a size taken from its grid size.
    int set(const Domain& d, int depth);
    int set(const DomainVal& d, int depth);
    int setBytesLine();
    // Zeroed pixel storage of bytes_line * height bytes (nothing when either is below 1).
    int allocData();
    // The same, leaving the bytes as they are when not to be cleared: for readers that
    // write every pixel.
    int allocData(bool clear);
    bool validData() const { return !data.empty(); }
    int allocColors(int n);
    // True when a reader may allocate an image of that size.
    static bool sizeAllowed(long w, long h);

    // Descriptive fields and palette; pixels.
    void copyInfo(const Image& src);
    void copyData(const Image& src);

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    int getDepth() const { return depth; }
    int getBitsPixel() const { return bits_pixel; }
    int getBytesLine() const { return bytes_line; }
    int getByteOrder() const { return byte_order; }
    int getColorType() const { return color_type; }
    int getNumColors() const { return num_colors; }
    int getSource() const { return source; }
    int getType() const { return type; }
    int getVersion() const { return version; }
    const char* getInfo() const { return info; }
    const char* getDatim() const { return datim; }
    const Date& getDate() const { return date; }
    const Domain& getDomain() const { return domain; }
    bool hasDomain() const { return domain.isSet(); }
    unsigned int getRedMask() const { return red_mask; }
    unsigned int getGrnMask() const { return grn_mask; }
    unsigned int getBluMask() const { return blu_mask; }
    bool getPixAve() const { return pix_ave; }
    void setSource(int s) { source = s; }
    void setType(int t) { type = t; }
    void setVersion(int v) { version = v; }
    void setBitsPixel(int n) { bits_pixel = n; }
    void setBytesLine(int n) { bytes_line = n; }
    void setByteOrder(int n) { byte_order = n; }
    void setColorType(int t) { color_type = t; }
    void setMasks(unsigned int r, unsigned int g, unsigned int b);
    void setInfo(const char* text);
    void setDatim(const char* text);
    void setDate(const Date& d) { date = d; }
    void setDomain(const Domain& d) { domain = d; }
    // A domain text (as in image headers and comments); 0 when it gives no domain.
    int setDomain(const char* text);
    void setResolution(float x, float y) {
        xres = x;
        yres = y;
    }
    void setOffset(float x, float y) {
        xoff = x;
        yoff = y;
    }
    void setPixAve(bool b) { pix_ave = b; }
    unsigned char* getData() { return data.empty() ? nullptr : data.data(); }
    const unsigned char* getData() const { return data.empty() ? nullptr : data.data(); }
    unsigned char* getRow(int y);
    const unsigned char* getRow(int y) const;

    // Palette.
    int setColor(int i, float r, float g, float b);
    int setColor(int i, const RGB& c);
    int setRed(int i, float v);
    int setGrn(int i, float v);
    int setBlu(int i, float v);
    float getRed(int i) const;
    float getGrn(int i) const;
    float getBlu(int i) const;
    int getRGB(int i, RGB& c) const;
    int setColorVal(int i, int v);
    int getColorVal(int i) const;
    void setTransColor(int i) { trans_color = i; }
    bool hasTransColor() const { return trans_color >= 0; }
    int getTransColor() const { return trans_color; }

    // Pixels; outside the image the value is 0 and setting does nothing.
    uint32_t getVal(int x, int y) const;
    int getPixel(int x, int y) const;
    int setPixel(int x, int y, uint32_t v);
    int getRGB(int x, int y, RGB& c) const;
    bool isPixelTrans(int x, int y) const;

    // Positions through the image's domain (grid column and row = pixel x and y).
    int tran(const Point& p, GridPoint& g) const;
    int tran(const EarthPoint& e, GridPoint& g) const;
    int tran(const GridPoint& g, Point& p) const;
    int tran(const GridPoint& g, EarthPoint& e) const;
    int getPixel(const GridPoint& g) const;
    int getPixel(const Point& p) const;
    int getPixel(const EarthPoint& e) const;

    // Data values (colour type 2): the value of each pixel value.
    int allocValues();
    int setValues(const std::vector<float>& v);
    int setValues(const float* v, int n);
    float getValueOf(int index) const;
    // The pixel value whose data value is nearest to v; -1 without values.
    int getIndex(float v) const;
    float getValue(int x, int y) const;
    float getValue(const GridPoint& g) const;
    float getValue(const Point& p) const;
    float getValue(const EarthPoint& e) const;
    int setValue(int x, int y, float v);

    void print() const;

    int source = 0;
    int type = 0;
    int version = 0;
    char datim[50] = {};
    Date date;
    char info[80] = {};
    int width = 0;
    int height = 0;
    int depth = 0;
    float xres = 0;
    float yres = 0;
    float xoff = 0;
    float yoff = 0;
    int bits_pixel = 0;
    int bytes_line = 0;
    int byte_order = 1; // 1 most significant byte first
    int color_type = MAPPED;
    unsigned int red_mask = 0;
    unsigned int grn_mask = 0;
    unsigned int blu_mask = 0;
    int num_colors = 0;
    std::vector<ImageColor> colors;
    int trans_color = -1;
    Domain domain;
    int index = 0;
    bool pix_ave = true;
    std::array<int, NUM_CUTOFF> cutoff{};
    int cutbase = -1;
    int numcut = 0;
    std::vector<float> values;
    std::vector<unsigned char, PixelAllocator> data;

private:
    bool inside(int x, int y) const;
    long offsetOf(int x, int y) const;
    static bool pixelOf(const GridPoint& g, int& x, int& y);
};

} // namespace HYX

#endif
