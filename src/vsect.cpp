// vsect: vertical cross sections of the atmosphere from upper-air soundings.
#include "HYX/Figure.h"
#include "HYX/FileTool.h"
#include "HYX/Graph.h"
#include "HYX/Hyx.h"
#include "HYX/Plot.h"
#include "HYX/PlotDevice.h"
#include "HYX/Prog.h"
#include "HYX/Rect.h"
#include "HYX/Resrc.h"
#include "HYX/ResrcDB.h"
#include "HYX/ResrcDBList.h"
#include "HYX/ResrcTool.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"
#include "HYX/Strings.h"
#include "HYX/UpaXSectPlot.h"
#include "HYX/XSectStyle.h"
#include "VsectOptions.h"

#include <climits>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

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

// Resources the program reads that have no option of their own: given by their full name.
const std::vector<std::string> FULL_NAMES = {"var_file",     "color_cont", "color_clabel",
                                             "con_interval", "con_base",   "output"};

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

// A colour table the user names must be a file that can be read: a device or a pipe
// would never end.
Hyx::Error checkColorTable() {
    const Strings names(Hyx::getResrc("color_table"), ',');
    for (int i = 0; i < names.getNum(); ++i) {
        if (!names.valid(i)) continue;
        String path(256);
        FileTool::addPath(Hyx::getDatabasePath(), names.getString(i), path);
        const std::string why = FileTool::inputProblem(path.get());
        if (!why.empty()) {
            Hyx::outError("vsect: colour table %s %s (-ct)\n", path.get(), why.c_str());
            return Hyx::NOFILE;
        }
    }
    return Hyx::NOERR;
}

// HP-GL/2 output fills a letter page unless the user gave a size: the plotter's own
// default of 756 by 576 units is 19 by 14 mm on paper.
void usePaperDefaults() {
    const char* dev = Hyx::getResrc("device");
    if (!dev || PlotDevice::kindOf(dev) != Graph::HPGL || Hyx::getResrc("geometry")) return;
    const Strings items(dev, ',');
    for (int i = 2; i < items.getNum(); ++i) {
        const char* it = items.getString(i);
        for (const char* size : {"letter", "legal", "11x17", "a4", "a3", "ansid"})
            if (StrLib::iequal(it, size)) return;
        if (StrLib::iequal(it, "sz", 2) || StrLib::iequal(it, "roll", 4)) return;
    }
    std::string with(dev);
    with += items.getNum() < 2 ? ",,letter" : ",letter";
    Hyx::putResrc("device", with.c_str());
}

// Draws the section and completes the output; the exit code of how it went. A drawing that
// failed leaves no output behind.
Hyx::Error drawSection(UpaXSectPlot& drawing) {
    Rect area = drawing.getStyle().getArea();
    Figure figure;
    figure.open();
    Plot& plot = figure.getPlot();
    // Black on paper and on a light window background, white on the dark screen.
    plot.setGroundForeground(true);
    Graph& graph = plot.getGraph();
    // A device string that names no device or that its device refuses, and output that
    // cannot be written, end the run with the plot's exit code.
    if (plot.getError()) return static_cast<Hyx::Error>(plot.getError());
    if (!plot.isOpen())
        return graph.getDeviceType() == Graph::XWINDOW ? Hyx::NOGRAPH : Hyx::NOWRITE;
    figure.startPlot(area, 1.25f);
    figure.addDrawing(drawing);
    figure.endPlot();
    Hyx::Error status = drawing.getStatus();
    if (status != Hyx::NOERR) {
        graph.discard();
        return status;
    }
    if (!figure.manage() && plot.getOutput()) status = Hyx::NOWRITE;
    if (!figure.close()) status = Hyx::NOWRITE;
    if (plot.getError()) status = static_cast<Hyx::Error>(plot.getError());
    return status;
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
    ResrcTool::checkKeys(args, keyed, FULL_NAMES);

    // Everything that can be found wrong before a page is opened is, so that a mistake
    // leaves no page behind.
    UpaXSectPlot drawing;
    drawing.setStyle(XSectStyle::program(Hyx::getResrc("parameter")));
    Hyx::Error status = drawing.checkSettings();
    if (status == Hyx::NOERR) status = checkColorTable();
    if (status == Hyx::NOERR) {
        drawing.setFilename();
        status = drawing.checkFile();
    }
    if (status == Hyx::NOERR) {
        usePaperDefaults();
        status = drawSection(drawing);
    }
    Hyx::exit(status);
}
