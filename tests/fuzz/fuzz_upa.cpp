#include "FuzzTarget.h"

#include "HYX/String.h"
#include "HYX/UpaFile.h"
#include "HYX/UpaRawinData.h"

// An upper-air file: the soundings, then once more by identifier.
HYX_FUZZ_TARGET(upa) {
    const std::string path = fuzz::toFile(data, size, "input.cvt");
    HYX::UpaFile f;
    if (!f.open(path.c_str())) return;
    HYX::UpaRawinData rec;
    for (int n = 0; n < 10000 && f.read(rec) == 1; ++n) {
    }
    f.rewind();
    HYX::String id;
    for (int n = 0; n < 10000 && f.readId(id) == 1; ++n) {
    }
}
