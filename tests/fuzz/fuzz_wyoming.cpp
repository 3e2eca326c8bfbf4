#include "UpaReaderTarget.h"

HYX_FUZZ_TARGET(wyoming) { fuzz::readSoundings(HYX::UpaFormat::WYOMING, data, size); }
