// The front for upper-air data files.
#include "HYX/UpaFile.h"

#include "HYX/StrLib.h"
#include "HYX/String.h"

namespace HYX {

int UpaFile::checkType(const char* name) {
    char word[10];
    if (UpaHyxFile::firstWord(name, word, sizeof(word)) < 0) return -1;
    if (StrLib::equal(word, "HYXUPA", 6)) return HYX;
    if (StrLib::equal(word, "CDF", 3)) return NETCDF;
    return UNKNOWN;
}

int UpaFile::open(const char* name, int acc, int kind) {
    close();
    access = acc;
    if (kind == 0) {
        if (acc != FileAttr::READ && acc != FileAttr::APPEND) return 0;
        kind = checkType(name);
        // Appending to a file that does not exist yet starts a new upper-air file.
        if (kind == -1 && acc == FileAttr::APPEND) kind = HYX;
        if (kind <= 0) {
            type = UNKNOWN;
            return 0;
        }
    }
    type = kind;
    if (type != HYX) return 0; // recognised, but no reader of that kind
    if (date.isSet()) wfile.setDate(date);
    if (!wfile.open(name, acc)) return 0;
    ver = 5;
    opened = true;
    return 1;
}

int UpaFile::close() {
    if (!opened) return 0;
    const int ok = wfile.close();
    opened = false;
    return ok;
}

int UpaFile::readId(String& id) {
    if (type != HYX) {
        id.clear();
        return 0;
    }
    return wfile.readId(id);
}

int UpaFile::getDate(Date& d) const {
    d = getDate();
    return d.isSet() ? 1 : 0;
}

Date UpaFile::getDate() const { return type == HYX ? wfile.getDate() : Date(); }

void UpaFile::setDate(const Date& d) {
    date = d;
    wfile.setDate(d);
}

} // namespace HYX
