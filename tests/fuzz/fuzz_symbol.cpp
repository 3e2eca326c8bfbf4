#include "FuzzTarget.h"

#include "HYX/Point.h"
#include "HYX/Symbol.h"

HYX_FUZZ_TARGET(symbol) {
    const std::string path = fuzz::toFile(data, size, "input.smb");
    HYX::Symbol s(path.c_str());
    for (const char* name : {"sun", "1", "a", ""}) {
        if (!s.setSymb(name)) continue;
        HYX::Point p;
        for (int n = 0; n < 100000 && s.get(p); ++n) {
        }
    }
}
