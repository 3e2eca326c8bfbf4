// Command-line reader: hands out keyed arguments (-key value, -key=value, --key ...)
// and positional arguments in order.
#ifndef HYX_RESRCCL_H
#define HYX_RESRCCL_H

#include "HYX/Export.h"
#include "HYX/Strings.h"

namespace HYX {

class String;

class HYX_API ResrcCL {
public:
    // Form of the last keyed argument.
    enum Form { JOINED = 2, SEPARATE = 5, NOVALUE = 6, DASHDASH = 9 };

    explicit ResrcCL(const Strings& args);

    void rewind();
    // -1 when no argument is left; 0 (consuming nothing) when the next argument is not
    // keyed; else 1 with the key (leading dashes removed) and value.
    int getKeyed(String& key, String& value);
    // -1 when no argument is left; else copies and consumes the next argument and returns
    // its positional number (0, 1, 2, ...).
    int getPosition(String& value);
    int getFlag() const { return flag; }

    // 0 when key is empty; 2 when key equals the short option exactly; 1 when key is a
    // prefix of the resource name; else 0.
    static int compare(const char* key, const char* name, const char* cmdln);
    // "-x...", "--x..." with x a letter.
    static bool isKeyed(const char* arg);

private:
    Strings args;
    int ind = 1;
    int pos = 0;
    int flag = 0;
};

} // namespace HYX

#endif
