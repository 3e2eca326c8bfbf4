// Environment reader: the value of a resource from hyx_<prog>_<resource>, from the
// option's own variable (such as hyxback), or from hyx<resource>, the first found winning.
#ifndef HYX_RESRCENV_H
#define HYX_RESRCENV_H

#include "HYX/Export.h"

namespace HYX {

class Resrc;
class String;

class HYX_API ResrcEnv {
public:
    // 1 with the value when one of the variables exists (also when empty), else 0.
    // The program and instance names are the resources prog and name of the store.
    static int get(const Resrc& store, const char* name, const char* env, String& value);
    // The program- or instance-qualified variable name of a resource.
    static int getVarName(const Resrc& store, const char* name, String& var);

    // Qualified name of resource res for program prog and instance inst, parts joined by
    // sep: inst "+x" gives prog.x.res, another non-empty inst gives inst.res, an empty one
    // prog.res.
    static int qualify(const char* prog, const char* inst, const char* res, char sep, String& out);
};

} // namespace HYX

#endif
