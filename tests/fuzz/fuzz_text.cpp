#include "UpaReaderTarget.h"

HYX_FUZZ_TARGET(text) { fuzz::readSoundings(HYX::UpaFormat::TEXT, data, size); }
