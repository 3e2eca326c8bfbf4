#include "FuzzTarget.h"

#include "HYX/ColorFile.h"
#include "HYX/ColorMap.h"
#include "HYX/File.h"

// A colour table file, and the input as a list of colours.
HYX_FUZZ_TARGET(color) {
    HYX::File file;
    HYX::ColorMap map;
    if (file.openMemory(data, size)) HYX::ColorFile::readFile(file, "fuzz", map);
    const std::string in = fuzz::text(data, size);
    HYX::ColorMap list;
    HYX::ColorFile::read(in.c_str(), list);
}
