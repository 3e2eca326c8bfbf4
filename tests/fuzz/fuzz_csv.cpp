#include "UpaReaderTarget.h"

HYX_FUZZ_TARGET(csv) { fuzz::readSoundings(HYX::UpaFormat::CSV, data, size); }
