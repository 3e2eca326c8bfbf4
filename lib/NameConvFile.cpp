// One data file resolved by a naming convention.
#include "HYX/NameConvFile.h"

#include "HYX/StrLib.h"
#include "HYX/String.h"

#include <cstdio>

namespace HYX {

void NameConvFile::init() {
    type[0] = param[0] = 0;
    filename.clear();
    header.clear();
    date.init();
    offset = Const::MISS;
}

void NameConvFile::setType(const char* t) { StrLib::copy(type, sizeof type, t ? t : ""); }

void NameConvFile::setFilename(const char* f) { filename.copy(f ? f : ""); }

void NameConvFile::setHeader(const char* h) { header.copy(h ? h : ""); }

void NameConvFile::setParam(const char* p) { StrLib::copy(param, sizeof param, p ? p : ""); }

void NameConvFile::print() const {
    String d;
    date.toText(d);
    std::printf("NameConvFile: %s %s %s %s %s %d\n", type, filename.get(), header.get(), d.get(),
                param, offset);
}

} // namespace HYX
