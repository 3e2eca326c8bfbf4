#include "FuzzTarget.h"

#include "HYX/HyxResrc.h"
#include "HYX/Resrc.h"
#include "HYX/ResrcDB.h"
#include "HYX/ResrcDBList.h"
#include "HYX/Strings.h"

#include <vector>

// A command line, one argument a line, with vsect's options; the program-wide state it sets
// is put back afterwards.
HYX_FUZZ_TARGET(cmdline) {
    std::vector<std::string> args{"vsect"};
    std::string cur;
    for (size_t i = 0; i < size && args.size() < 200; ++i) {
        if (data[i] == '\n') {
            args.push_back(cur);
            cur.clear();
        } else {
            cur += static_cast<char>(data[i]);
        }
    }
    if (!cur.empty()) args.push_back(cur);
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());

    const uint32_t mask = HYX::Hyx::getMessageMask();
    const std::string db = HYX::Hyx::getDatabasePath() ? HYX::Hyx::getDatabasePath() : "";
    const std::string prog = HYX::Hyx::getProgramName() ? HYX::Hyx::getProgramName() : "";
    setenv("hyxdfile", "/nonexistent", 1);
    HYX::ResrcDBList keyed, positional;
    using H = HYX::HyxResrc;
    for (int id : {H::GROUP_PROGRAM, H::GROUP_PATHS, H::GROUP_NAMING, H::GROUP_TIME,
                   H::GROUP_DOMAIN, H::GROUP_PLOT, H::GROUP_COLORS, H::GROUP_IDENT, H::VARIABLE})
        H::add(keyed, id);
    H::add(positional, H::FILENAME);
    HYX::ResrcDB::create(HYX::Strings(static_cast<int>(argv.size()), argv.data()), keyed,
                         positional);
    HYX::Hyx::getResrcStore().clear();
    HYX::Hyx::setMessageMask(mask);
    HYX::Hyx::setDatabasePath(db.c_str());
    HYX::Hyx::setProgramName(prog.c_str());
}
