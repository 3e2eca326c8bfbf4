#include "UpaReaderTarget.h"

// The format as upaconv recognises it from the contents.
HYX_FUZZ_TARGET(detect) {
    fuzz::readSoundings(HYX::UpaFormat::detect(reinterpret_cast<const char*>(data), size), data,
                        size);
}
