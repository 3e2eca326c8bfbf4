#include "FuzzTarget.h"

#include "HYX/File.h"
#include "HYX/Image.h"
#include "HYX/PngFile.h"

HYX_FUZZ_TARGET(png) {
    HYX::File file;
    if (!file.openMemory(data, size)) return;
    HYX::PngFile f;
    if (!f.open(file, 0)) return;
    HYX::Image img;
    f.read(img);
}
