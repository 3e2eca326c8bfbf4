#include "FuzzTarget.h"

#include "HYX/String.h"
#include "HYX/VarFile.h"
#include "HYX/VarFileData.h"
#include "HYX/VarList.h"

// A variable list and a variable file: the first line is the list, the rest the file that
// defines its names.
HYX_FUZZ_TARGET(varlist) {
    const std::string in = fuzz::text(data, size);
    const size_t nl = in.find('\n');
    const std::string list = in.substr(0, nl);
    const std::string file = nl == std::string::npos ? "" : in.substr(nl + 1);
    const std::string path = fuzz::toFile(reinterpret_cast<const uint8_t*>(file.data()),
                                          file.size(), "input.var");
    {
        HYX::VarFile f(path.c_str());
        HYX::VarFileData d;
        for (int n = 0; n < 100000 && f.read(d) == 1; ++n) {
        }
    }
    HYX::VarList vl;
    vl.setFile(path.c_str());
    HYX::VarList::process(list.c_str(), vl);
}
