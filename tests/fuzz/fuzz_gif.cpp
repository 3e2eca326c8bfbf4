#include "FuzzTarget.h"

#include "HYX/GifFile.h"
#include "HYX/Image.h"

HYX_FUZZ_TARGET(gif) {
    HYX::Image img;
    HYX::GifFile::decode(data, static_cast<long>(size), img);
}
