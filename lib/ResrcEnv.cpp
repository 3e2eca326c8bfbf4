// Environment reader.
#include "HYX/ResrcEnv.h"

#include "HYX/Resrc.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"

#include <cstdlib>

namespace HYX {

int ResrcEnv::qualify(const char* prog, const char* inst, const char* res, char sep, String& out) {
    out.clear();
    if (inst && inst[0] == '+') {
        out.append(prog ? prog : "");
        out.append(sep);
        out.append(inst + 1);
    } else if (StrLib::valid(inst)) {
        out.append(inst);
    } else {
        out.append(prog ? prog : "");
    }
    out.append(sep);
    out.append(res ? res : "");
    return 1;
}

int ResrcEnv::getVarName(const Resrc& store, const char* name, String& var) {
    String q;
    qualify(store.get("prog", ""), store.get("name", ""), name, '_', q);
    var.copy("hyx_");
    var.append(q);
    return 1;
}

int ResrcEnv::get(const Resrc& store, const char* name, const char* env, String& value) {
    if (!StrLib::valid(name)) return 0;
    String var;
    getVarName(store, name, var);
    const char* v = std::getenv(var.get());
    if (!v && StrLib::valid(env)) v = std::getenv(env);
    if (!v) {
        var.copy("hyx");
        var.append(name);
        v = std::getenv(var.get());
    }
    if (!v) return 0;
    value.copy(v);
    return 1;
}

} // namespace HYX
