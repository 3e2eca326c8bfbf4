#include "FuzzTarget.h"

#include "HYX/GFont.h"

HYX_FUZZ_TARGET(font) {
    const std::string path = fuzz::toFile(data, size, "input.fnt");
    HYX::GFont f(path.c_str());
    for (int ch = 0; ch < 256; ++ch) f.setChar(ch);
}
