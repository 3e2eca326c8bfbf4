#include "FuzzTarget.h"

#include "HYX/Image.h"
#include "HYX/ImageFile.h"

// The suite's own image files, read as vsect reads an image by name.
HYX_FUZZ_TARGET(img) {
    const std::string path = fuzz::toFile(data, size, "input.img");
    HYX::Image img;
    HYX::ImageFile().read(path.c_str(), img);
}
