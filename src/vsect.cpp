// vsect: vertical cross sections of the atmosphere from upper-air soundings.
#include "HYX/Hyx.h"
#include "HYX/HyxResrc.h"
#include "HYX/Prog.h"
#include "HYX/ResrcDB.h"
#include "HYX/ResrcDBList.h"
#include "HYX/Strings.h"

using namespace HYX;

namespace {

// The options this program offers, in the order of the help listing and of matching
// abbreviated keys.
void buildOptions(ResrcDBList& keyed, ResrcDBList& positional) {
    for (int id : {73, 74, 81, 75, 76, 80, 85, 82, 83, 88, 70}) HyxResrc::add(keyed, id);
    HyxResrc::add(positional, 26);
}

} // namespace

int main(int argc, char** argv) {
    ResrcDBList keyed;
    ResrcDBList positional;
    buildOptions(keyed, positional);

    const Strings args(argc, argv);
    ResrcDB::create(args, keyed, positional);
    if (Prog::printHelp(keyed, positional, "This program plots upper air cross sections"))
        Hyx::exit(Hyx::NOERR);

    Prog::printProg("VERTICAL CROSS SECTION PLOTTING");
    Hyx::exit(Hyx::NOERR);
}
