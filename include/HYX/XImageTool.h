// Pixels between an Image and an X image of the screen's visual: filling an X image from an
// image (recomposing direct colours of another channel layout), the 1-bit transparency mask
// of an image, reading an X image back into a direct-colour image; and the window's own
// bitmaps: the fill-pattern stipples and the icon.
#ifndef HYX_XIMAGETOOL_H
#define HYX_XIMAGETOOL_H

#include "HYX/Export.h"

#include <vector>

struct _XImage;

namespace HYX {

class Image;

class HYX_API XImageTool {
public:
    static constexpr int NUM_FILL_PATTERN = 20;

    // Transparency of an image: which pixels are left out and where drawing may go.
    struct Mask {
        long trans = -1;       // the transparent value
        bool by_pixel = false; // compare device values (getPixel) rather than stored values
        int x = 0, y = 0;      // where the image goes
        int clip_x1 = 0, clip_y1 = 0, clip_x2 = 0, clip_y2 = 0; // drawable area, x2/y2 excluded
    };

    // Channel masks of the screen's visual.
    struct Channels {
        unsigned long red = 0, green = 0, blue = 0;
    };

    // Puts every pixel of img into xi (same size). A direct-colour image whose channel masks
    // differ from the screen's has its colours recomposed; other pixels go as they are.
    static void fill(const Image& img, _XImage* xi, const Channels& screen);
    // Rows of (width + 7) / 8 bytes, least significant bit first, bit set for pixels to draw.
    static std::vector<char> maskBits(const Image& img, const Mask& m);
    // The whole X image as a direct-colour image with the screen's channel masks.
    static void read(_XImage* xi, const Channels& screen, Image& img);
    // A channel value 0..1 scaled into a channel mask.
    static unsigned long toChannel(float c, unsigned long mask);
    static void print(const _XImage* xi);
    // The 8 by 8 stipple of a fill pattern code (0 to 19): 8 rows, first row first, least
    // significant bit leftmost; solid for other codes.
    static const unsigned char* fillPattern(int code);
    // An n by n icon bitmap in rows of (n + 7) / 8 bytes, least significant bit first.
    static std::vector<unsigned char> iconBits(int n);
};

} // namespace HYX

#endif
