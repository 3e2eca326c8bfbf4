// One variable table row.
#include "HYX/VarNameItem.h"

#include "HYX/StrLib.h"

#include <cstdio>

namespace HYX {

void VarNameItem::init() {
    num = Const::MISS;
    for (int& i : ind) i = Const::MISS;
    abbr[0] = name[0] = 0;
}

void VarNameItem::setName(const char* s) { StrLib::copy(name, name_len, s); }

void VarNameItem::setAbbr(const char* s) { StrLib::copy(abbr, abbr_len, s); }

void VarNameItem::print() const {
    std::printf("a: %s n: %s i: %d", abbr, name, ind[0]);
    bool first = true;
    for (int i = 1; i < max_ind; ++i) {
        if (ind[i] == Const::MISS) continue;
        std::printf("%s%d", first ? "[" : ",", ind[i]);
        first = false;
    }
    std::printf("%s\n", first ? "" : "]");
}

} // namespace HYX
