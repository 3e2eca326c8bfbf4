// vsect: vertical cross sections of the atmosphere from upper-air soundings.
#include "HYX/Figure.h"
#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/Prog.h"
#include "HYX/Rect.h"
#include "HYX/Resrc.h"
#include "HYX/ResrcDB.h"
#include "HYX/ResrcDBList.h"
#include "HYX/Strings.h"
#include "HYX/UpaXSectPlot.h"
#include "VsectOptions.h"

#include <climits>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace HYX;

namespace {

// The database directory beside the running executable (symbolic links to it resolved), or
// the empty text when there is none.
std::string databaseBesideProgram() {
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "";
    std::string dir(buf, static_cast<size_t>(n));
    dir.erase(dir.rfind('/') + 1);
    char* real = realpath((dir + VSECT_RELATIVE_SHARE_DIR).c_str(), nullptr);
    if (!real) return "";
    dir = real;
    std::free(real);
    return dir;
}

// Without a file_path resource (command line, environment or resource file) the program uses
// the database installed beside it, so that an installed tree works wherever it was moved;
// then the one of the configured prefix, and last the one of the source tree it was built
// from, so that it runs out of the box from the build tree.
void useDefaultDatabase() {
    if (Hyx::getResrc("file_path")) return;
    const std::string beside = databaseBesideProgram();
    for (const char* dir : {beside.c_str(), VSECT_SHARE_DIR, VSECT_SOURCE_SHARE_DIR}) {
        if (*dir && FileTool::isDir(dir)) {
            Hyx::outDebug("vsect: database %s\n", dir);
            Hyx::setDatabasePath(dir);
            return;
        }
    }
}

// vsect --version (or -version) on the command line prints the version and nothing else.
bool printVersion() {
    if (Hyx::getResrcType("version") != Resrc::CMDLN) return false;
    Hyx::outMessage(Hyx::PRINT, "%s %s\n", Hyx::getProgramName(), Hyx::getVersion());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    ResrcDBList keyed;
    ResrcDBList positional;
    vsectOptions(keyed, positional);

    const Strings args(argc, argv);
    ResrcDB::create(args, keyed, positional);
    if (Prog::printHelp(keyed, positional, "This program plots upper air cross sections"))
        Hyx::exit(Hyx::NOERR);
    if (printVersion()) Hyx::exit(Hyx::NOERR);

    Prog::printProg("VERTICAL CROSS SECTION PLOTTING");
    useDefaultDatabase();

    UpaXSectPlot drawing;
    drawing.setFilename();
    Rect area(0.06f, 0.05f, 0.95f, 0.95f);
    {
        // The figure closes its device, completing any file output, when it goes out of
        // scope.
        Figure figure;
        figure.open();
        figure.startPlot(area, 1.25f);
        figure.addDrawing(drawing);
        figure.endPlot();
        figure.manage();
    }
    Hyx::exit(Hyx::NOERR);
}
