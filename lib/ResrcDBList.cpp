// An ordered list of known options.
#include "HYX/ResrcDBList.h"

#include <cstdio>

namespace HYX {

int ResrcDBList::add(const char* name, const char* env, const char* cmdln, const char* help) {
    ResrcDBItem& item = items.emplace_back();
    item.name = name;
    item.env = env;
    item.cmdln = cmdln;
    item.help = help;
    if (last) last->next = &item;
    if (!beg) beg = &item;
    last = &item;
    ++num;
    return 1;
}

const ResrcDBItem* ResrcDBList::next() {
    if (cur >= num) return nullptr;
    return &items[cur++];
}

const ResrcDBItem* ResrcDBList::first() {
    rewind();
    return next();
}

const ResrcDBItem* ResrcDBList::get(int i) const {
    if (i < 0 || i >= num) return nullptr;
    return &items[i];
}

int ResrcDBList::first(ResrcDBItem& item) {
    rewind();
    return next(item);
}

int ResrcDBList::next(ResrcDBItem& item) {
    const ResrcDBItem* p = next();
    if (!p) return 0;
    item = *p;
    return 1;
}

int ResrcDBList::get(int i, ResrcDBItem& item) const {
    const ResrcDBItem* p = get(i);
    if (!p) return 0;
    item = *p;
    return 1;
}

void ResrcDBList::print() const {
    const auto text = [](const char* s) { return s ? s : "(none)"; };
    for (const ResrcDBItem& item : items)
        std::printf("%s %s %s %s\n", text(item.name), text(item.env), text(item.cmdln),
                    text(item.help));
}

} // namespace HYX
