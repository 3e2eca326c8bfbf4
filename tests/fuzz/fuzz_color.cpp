#include "FuzzTarget.h"

#include "HYX/ColorFile.h"
#include "HYX/ColorMap.h"

// A colour table file, and the input as a list of colours.
HYX_FUZZ_TARGET(color) {
    const std::string path = fuzz::toFile(data, size, "input.clr");
    HYX::ColorMap map;
    HYX::ColorFile::readFile(path.c_str(), map);
    const std::string in = fuzz::text(data, size);
    HYX::ColorMap list;
    HYX::ColorFile::read(in.c_str(), list);
}
