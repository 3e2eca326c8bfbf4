// One row of the variable table: numeric indices, abbreviation and long name, with the
// stamp of its last use in a name cache.
#ifndef HYX_VARNAMEITEM_H
#define HYX_VARNAMEITEM_H

#include "HYX/Const.h"
#include "HYX/Export.h"

namespace HYX {

class HYX_API VarNameItem {
public:
    static constexpr int abbr_len = 10;
    static constexpr int name_len = 50;
    static constexpr int max_ind = 5;

    VarNameItem() { init(); }
    void init();
    void setName(const char* s);
    void setAbbr(const char* s);
    const char* getAbbr() const { return abbr; }
    const char* getName() const { return name; }
    int getInd() const { return ind[0]; }
    int getInd(int i) const { return i >= 0 && i < max_ind ? ind[i] : 0; }
    void print() const;

    int num;
    int ind[max_ind];
    char abbr[abbr_len];
    char name[name_len];
};

} // namespace HYX

#endif
