// An ordered list of known options. Items are kept in the order added, never removed,
// and duplicates are kept; the order is the order of the help listing and of matching
// abbreviated command-line keys.
#ifndef HYX_RESRCDBLIST_H
#define HYX_RESRCDBLIST_H

#include "HYX/Export.h"
#include "HYX/ResrcDBItem.h"

#include <deque>

namespace HYX {

class HYX_API ResrcDBList {
public:
    ResrcDBList() = default;
    ResrcDBList(const ResrcDBList&) = delete;
    ResrcDBList& operator=(const ResrcDBList&) = delete;

    // The texts must outlive the list (static option tables).
    int add(const char* name, const char* env, const char* cmdln, const char* help);

    void rewind() { cur = 0; }
    // The item at the cursor (advancing it), or null at the end.
    const ResrcDBItem* next();
    const ResrcDBItem* first();
    const ResrcDBItem* get(int i) const;
    int getNum() const { return num; }

    // Copying forms: 1 with the item copied out, 0 at the end.
    int first(ResrcDBItem& item);
    int next(ResrcDBItem& item);
    int get(int i, ResrcDBItem& item) const;

    void print() const;

private:
    // A deque keeps item addresses stable as items are appended, so next links stay valid.
    std::deque<ResrcDBItem> items;
    ResrcDBItem* beg = nullptr;
    ResrcDBItem* last = nullptr;
    int cur = 0;
    int num = 0;
};

} // namespace HYX

#endif
