// Command-line reader.
#include "HYX/ResrcCL.h"

#include "HYX/StrLib.h"
#include "HYX/String.h"

#include <cctype>
#include <cstring>

namespace HYX {

namespace {

bool isLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

} // namespace

ResrcCL::ResrcCL(const Strings& a) : args(a) {}

void ResrcCL::rewind() {
    ind = 1;
    pos = 0;
}

bool ResrcCL::isKeyed(const char* arg) {
    if (!arg || arg[0] != '-') return false;
    if (isLetter(arg[1])) return true;
    return arg[1] == '-' && isLetter(arg[2]);
}

int ResrcCL::getKeyed(String& key, String& value) {
    if (ind >= args.getNum()) return -1;
    const char* arg = args.getString(ind);
    if (!arg) arg = "";
    if (StrLib::equal(arg, "--")) {
        // A bare "--" is consumed as an empty key with an empty value.
        key.clear();
        value.clear();
        flag = DASHDASH;
        ++ind;
        return 1;
    }
    if (!isKeyed(arg)) return 0;
    const char* text = arg + (arg[1] == '-' ? 2 : 1);
    const char* eq = std::strchr(text + 1, '=');
    if (eq) {
        key.copy(text, static_cast<int>(eq - text));
        value.copy(eq + 1);
        flag = JOINED;
        ++ind;
    } else if (ind + 1 < args.getNum() && !isKeyed(args.getString(ind + 1))) {
        key.copy(text);
        value.copy(args.getString(ind + 1) ? args.getString(ind + 1) : "");
        flag = SEPARATE;
        ind += 2;
    } else {
        key.copy(text);
        value.clear();
        flag = NOVALUE;
        ++ind;
    }
    return 1;
}

int ResrcCL::getPosition(String& value) {
    if (ind >= args.getNum()) return -1;
    const char* arg = args.getString(ind++);
    value.copy(arg ? arg : "");
    return pos++;
}

int ResrcCL::compare(const char* key, const char* name, const char* cmdln) {
    if (!StrLib::valid(key)) return 0;
    if (StrLib::equal(key, cmdln)) return 2;
    if (name && std::strncmp(key, name, std::strlen(key)) == 0) return 1;
    return 0;
}

} // namespace HYX
