// Checks on the resources a program was given.
#include "HYX/ResrcTool.h"

#include "HYX/Hyx.h"
#include "HYX/HyxResrc.h"
#include "HYX/ResrcCL.h"
#include "HYX/ResrcDBItem.h"
#include "HYX/ResrcDBList.h"
#include "HYX/SpellTool.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"
#include "HYX/Strings.h"

namespace HYX {

namespace {

// Keys the database itself takes before any list: the program name and the resource files.
bool isStartupKey(const char* key) {
    const int n = StrLib::length(key);
    return (n <= 4 && StrLib::iequal(key, "name", n)) || StrLib::iequal(key, "default", 7) ||
           StrLib::iequal(key, "df", 2);
}

bool inList(const ResrcDBList& list, const char* key, bool prefix) {
    for (int i = 0; i < list.getNum(); ++i) {
        const ResrcDBItem* item = list.get(i);
        if (prefix ? ResrcCL::compare(key, item->name, item->cmdln) != 0
                   : StrLib::equal(key, item->name))
            return true;
    }
    return false;
}

} // namespace

int ResrcTool::checkKeys(const Strings& args, const ResrcDBList& keyed,
                         const std::vector<std::string>& extra) {
    ResrcDBList suite;
    for (int id = 0; id < HyxResrc::NUM_OPTIONS; ++id) HyxResrc::add(suite, id);
    std::vector<std::string> options;
    for (int i = 0; i < keyed.getNum(); ++i)
        if (keyed.get(i)->cmdln) options.push_back(std::string("-") + keyed.get(i)->cmdln);

    int unknown = 0;
    ResrcCL cl(args);
    String key, value;
    int r;
    while ((r = cl.getKeyed(key, value)) >= 0) {
        if (r == 0) {
            cl.getPosition(value);
            continue;
        }
        const char* k = key.get() ? key.get() : "";
        if (!k[0] || isStartupKey(k) || inList(keyed, k, true) || inList(suite, k, false)) continue;
        bool known = false;
        for (const std::string& e : extra) known = known || e == k;
        if (known) continue;
        ++unknown;
        const ResrcDBItem* other = nullptr;
        for (int i = 0; i < suite.getNum() && !other; ++i)
            if (StrLib::equal(k, suite.get(i)->cmdln)) other = suite.get(i);
        if (other) {
            Hyx::outWarning("%s: -%s is no option of this program (give the resource by its "
                            "full name, -%s); it is kept as the resource %s\n",
                            Hyx::getProgramName(), k, other->name, k);
            continue;
        }
        const std::string near = SpellTool::nearest(std::string("-") + k, options);
        Hyx::outWarning("%s: -%s is no option%s%s%s; it is kept as the resource %s\n",
                        Hyx::getProgramName(), k, near.empty() ? "" : " (did you mean ",
                        near.c_str(), near.empty() ? "" : "?)", k);
    }
    return unknown;
}

} // namespace HYX
