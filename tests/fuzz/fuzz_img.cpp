#include "FuzzTarget.h"

#include "HYX/Image.h"
#include "HYX/ImageFile.h"

// The suite's own image files, read as vsect reads an image by name. A header that keeps its
// pixels in a separate file finds "pix.dat" beside it.
HYX_FUZZ_TARGET(img) {
    static const std::string name = [] {
        const std::string pixels(4096, '\x2a');
        fuzz::toFile(reinterpret_cast<const uint8_t*>(pixels.data()), pixels.size(), "pix.dat");
        return fuzz::scratch() + "/input.img";
    }();
    HYX::Image img;
    HYX::ImageFile().read(data, size, name.c_str(), img);
}
