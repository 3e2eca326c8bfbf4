#include "UpaReaderTarget.h"

HYX_FUZZ_TARGET(coded) { fuzz::readSoundings(HYX::UpaFormat::CODED, data, size); }
