// Image conversions: any image to an 8-bit colour-mapped one (for palette file formats) and
// resampling of an image onto another domain.
#ifndef HYX_IMAGEMATH_H
#define HYX_IMAGEMATH_H

#include "HYX/Export.h"

namespace HYX {

class Domain;
class Image;

class HYX_API ImageMath {
public:
    // Colours of the uniform cube used when a picture has more than 256 colours.
    static constexpr int CUBE_LEVELS = 6;

    // An 8-bit colour-mapped copy of in. Colour-mapped pictures keep their palette and
    // pixels; direct-colour pictures of at most 256 colours (the transparent value counted
    // as a colour of its own) keep every colour exactly, larger ones are mapped onto a
    // uniform colour cube. Data-value pictures without palette get a grey scale.
    // Only depth 8 is supported; 0 when in has no pixels.
    static int toIndex(const Image& in, int depth, Image& out);
    // The picture seen through domain d (d's grid size gives the size): each pixel takes
    // the nearest pixel of in at the same earth position (nearest-neighbour). Pixels that
    // fall outside in are transparent.
    static int remap(const Image& in, const Domain& d, Image& out);
};

} // namespace HYX

#endif
