// A display time zone: its name, offset from UTC and the clock style of its labels.
#ifndef HYX_TIMEZONE_H
#define HYX_TIMEZONE_H

#include "HYX/Const.h"
#include "HYX/Export.h"

namespace HYX {

class HYX_API Timezone {
public:
    Timezone() { init(); }
    explicit Timezone(const char* text) {
        init();
        set(text);
    }

    void init();
    // [-|+]NAME[:hours]; "-" gives 12-hour labels with the UTC time in brackets, "+" plain
    // 12-hour labels. Without hours a few common zone names are known. 0 when unset.
    int set(const char* text);
    bool isSet() const { return offset != Const::MISS; }
    int getPM() const { return pm; }
    int getOffset() const { return offset; }
    const char* getName() const { return name; }
    void print() const;

private:
    char name[10];
    int pm;
    int offset;
};

} // namespace HYX

#endif
