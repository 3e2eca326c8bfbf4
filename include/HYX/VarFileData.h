// One entry of a variable file: a name, a one-word description and the definition,
// a variable-list text that the name stands for.
#ifndef HYX_VARFILEDATA_H
#define HYX_VARFILEDATA_H

#include "HYX/Export.h"
#include "HYX/String.h"

namespace HYX {

class HYX_API VarFileData {
public:
    static constexpr int name_len = 20;
    static constexpr int desc_len = 20;

    VarFileData() { init(); }
    void init();
    void setName(const char* s);
    // The description with '_' read as a blank.
    void setDesc(const char* s);
    const char* getName() const { return name; }
    const char* getDesc() const { return desc; }
    const char* getData() const { return data.get() ? data.get() : ""; }
    void print() const;

    char name[name_len];
    char desc[40];
    int flag;
    String data;
};

} // namespace HYX

#endif
