#include "UpaReaderTarget.h"

#ifdef HYX_FUZZING
// ecCodes makes many small allocations for each message; quarantining and recording each of them
// halves the rate of this target, and the reader's own buffers are checked without it.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=0:max_malloc_fill_size=0:malloc_context_size=0";
}
#endif

HYX_FUZZ_TARGET(bufr) { fuzz::readSoundings(HYX::UpaFormat::BUFR, data, size); }
