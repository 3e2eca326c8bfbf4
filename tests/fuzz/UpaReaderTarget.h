// Reads every sounding of a text with one of upaconv's readers, as upaconv does.
#ifndef HYX_UPAREADERTARGET_H
#define HYX_UPAREADERTARGET_H

#include "FuzzTarget.h"

#include "HYX/Date.h"
#include "HYX/UpaBufrFile.h"
#include "HYX/UpaData.h"
#include "HYX/UpaFormat.h"
#include "HYX/UpaIdentity.h"
#include "HYX/UpaRawinData.h"
#include "HYX/UpaReader.h"
#include "HYX/UpaTool.h"
#include "HYX/UpaWmoReader.h"

#include <memory>

#ifdef HYX_FUZZING
// ecCodes keeps some of what it allocates for damaged messages until the process ends.
extern "C" const char* __lsan_default_suppressions() { return "leak:libeccodes.so\n"; }
#endif

namespace fuzz {

inline void readSoundings(HYX::UpaFormat::Kind kind, const uint8_t* data, size_t size) {
    static HYX::UpaIdentity* ident = [] {
        auto* id = new HYX::UpaIdentity;
        id->setStations(HYX_FUZZ_SHARE "/upa.cty");
        // A BUFR message that keeps ecCodes busy is given up well before libFuzzer's timeout,
        // and soon: the fuzzer finds such messages every few seconds, and a whole sounding
        // unpacks in 20 ms under ASan.
        HYX::UpaBufrFile::setTimeLimit(0.2);
        return id;
    }();
    std::unique_ptr<HYX::UpaReader> r = HYX::UpaFormat::makeReader(kind);
    if (!r) return;
    if (kind == HYX::UpaFormat::CODED) {
        auto* coded = static_cast<HYX::UpaWmoReader*>(r.get());
        coded->setBase(HYX::Date(2022, 7, 1, 0, 0, 0.0f));
        coded->setMode(size % 2 ? HYX::UpaTool::PLAIN : HYX::UpaTool::FULL);
    }
    r->setText(reinterpret_cast<const char*>(data), size, "fuzz");
    HYX::UpaData d;
    for (int n = 0; n < 10000 && r->read(d) == 1; ++n) {
        ident->apply(d);
        HYX::UpaRawinData rec;
        HYX::UpaTool::unmerge(d, rec);
    }
}

} // namespace fuzz

#endif
