// A raster image: size, pixel layout, an optional palette and the pixel bytes, row 0 first.
// Pixel values are split into colours by the channel masks (direct colour), looked up in
// the palette (colour-mapped) or in the value table (data values).
#ifndef HYX_IMAGE_H
#define HYX_IMAGE_H

#include <array>
#include <cstdint>
#include <vector>

namespace HYX {

class RGB;

// One palette entry; a red of -1 marks a transparent entry.
class ImageColor {
public:
    float r = 0;
    float g = 0;
    float b = 0;
    int val = -1; // device colour value once allocated
};

class Image {
public:
    enum ColorType { DIRECT = 0, MAPPED = 1, VALUES = 2 };
    static constexpr int NUM_CUTOFF = 7;
    static constexpr int NUM_VALUES = 256;

    Image() { init(); }

    void init();
    // Size and depth; bits per pixel = depth, bytes per line = width * depth / 8.
    int set(int w, int h, int d);
    int setBytesLine();
    // Zeroed pixel storage of bytes_line * height bytes (nothing when either is below 1).
    int allocData();
    bool validData() const { return !data.empty(); }
    int allocColors(int n);

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    int getDepth() const { return depth; }
    int getBitsPixel() const { return bits_pixel; }
    int getBytesLine() const { return bytes_line; }
    int getByteOrder() const { return byte_order; }
    int getColorType() const { return color_type; }
    int getNumColors() const { return num_colors; }
    const char* getInfo() const { return info; }
    void setBitsPixel(int n) { bits_pixel = n; }
    void setBytesLine(int n) { bytes_line = n; }
    void setByteOrder(int n) { byte_order = n; }
    void setColorType(int t) { color_type = t; }
    void setMasks(unsigned int r, unsigned int g, unsigned int b);
    void setInfo(const char* text);
    unsigned char* getData() { return data.empty() ? nullptr : data.data(); }
    const unsigned char* getData() const { return data.empty() ? nullptr : data.data(); }

    // Palette.
    int setColor(int i, float r, float g, float b);
    int setColor(int i, const RGB& c);
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

    void print() const;

    int source = 0;
    int type = 0;
    int version = 0;
    char datim[50] = {};
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
    int index = 0;
    bool pix_ave = true;
    std::array<int, NUM_CUTOFF> cutoff{};
    int cutbase = -1;
    int numcut = 0;
    std::vector<float> values;
    std::vector<unsigned char> data;

private:
    bool inside(int x, int y) const;
    long offsetOf(int x, int y) const;
};

} // namespace HYX

#endif
