#include "UpaReaderTarget.h"

HYX_FUZZ_TARGET(igra) { fuzz::readSoundings(HYX::UpaFormat::IGRA, data, size); }
