#include "FuzzTarget.h"

#include "HYX/Image.h"
#include "HYX/PngFile.h"

HYX_FUZZ_TARGET(png) {
    const std::string path = fuzz::toFile(data, size, "input.png");
    HYX::PngFile f;
    if (!f.open(path.c_str(), 0)) return;
    HYX::Image img;
    f.read(img);
}
