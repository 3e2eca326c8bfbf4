// One coded upper-air report before decoding.
#include "HYX/UpaWmoData.h"

#include "HYX/StrLib.h"

#include <cstdio>

namespace HYX {

void UpaWmoData::init() {
    id[0] = data[0] = wmo[0] = 0;
    type = 0;
    date.init();
}

void UpaWmoData::setId(const char* text) { StrLib::copy(id, sizeof(id), text ? text : ""); }
void UpaWmoData::setWmo(const char* text) { StrLib::copy(wmo, sizeof(wmo), text ? text : ""); }
void UpaWmoData::setData(const char* text) { StrLib::copy(data, sizeof(data), text ? text : ""); }

void UpaWmoData::print() const {
    static const char* const parts[] = {"TTAA", "TTBB", "TTCC", "TTDD", "PPAA", "PPBB",
                                        "PPCC", "PPDD", "UUAA", "UUBB", "UUCC", "UUDD"};
    std::printf("ID: %s\n", id);
    std::printf("WMO: %s\n", wmo);
    std::printf("Date: ");
    date.print();
    if (type >= TTAA && type <= UUDD)
        std::printf("Type: %s\n", parts[type - 1]);
    else
        std::printf("Type: %d\n", type);
    std::printf("Data: %s\n", data);
}

} // namespace HYX
