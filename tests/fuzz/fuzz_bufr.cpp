#include "UpaReaderTarget.h"

HYX_FUZZ_TARGET(bufr) { fuzz::readSoundings(HYX::UpaFormat::BUFR, data, size); }
