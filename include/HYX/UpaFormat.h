// The kinds of sounding files the readers know, by name and by their contents, and a
// reader for each kind.
#ifndef HYX_UPAFORMAT_H
#define HYX_UPAFORMAT_H

#include "HYX/Export.h"

#include <cstddef>
#include <memory>

namespace HYX {

class UpaReader;

class HYX_API UpaFormat {
public:
    enum Kind { UNKNOWN = 0, WYOMING, CSV, SPC, IGRA, BUFR, CODED, TEXT };

    // The kind named by a word: "wyoming", "csv" (also "iem"), "spc" (also "sharppy"),
    // "igra", "bufr", "coded" (also "temp"), "text"; UNKNOWN for others.
    static Kind fromName(const char* name);
    static const char* getName(Kind k);
    // The kind of a file from its first bytes.
    static Kind detect(const char* data, size_t len);
    // A new reader of the kind (null for UNKNOWN).
    static std::unique_ptr<UpaReader> makeReader(Kind k);
};

} // namespace HYX

#endif
