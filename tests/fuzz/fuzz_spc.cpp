#include "UpaReaderTarget.h"

HYX_FUZZ_TARGET(spc) { fuzz::readSoundings(HYX::UpaFormat::SPC, data, size); }
