// One variable file entry.
#include "HYX/VarFileData.h"

#include "HYX/StrLib.h"

#include <cstdio>

namespace HYX {

void VarFileData::init() {
    name[0] = desc[0] = 0;
    flag = 0;
    data.clear();
}

void VarFileData::setName(const char* s) { StrLib::copy(name, name_len, s); }

void VarFileData::setDesc(const char* s) {
    StrLib::copy(desc, desc_len, s);
    StrLib::replace(desc, '_', ' ');
}

void VarFileData::print() const { std::printf("%s (%s): %s\n", name, desc, getData()); }

} // namespace HYX
