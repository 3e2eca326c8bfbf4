// vsect: vertical cross sections of the atmosphere from upper-air soundings.
#include "HYX/Figure.h"
#include "HYX/FileTool.h"
#include "HYX/Graph.h"
#include "HYX/Hyx.h"
#include "HYX/HyxResrc.h"
#include "HYX/PlotDevice.h"
#include "HYX/Prog.h"
#include "HYX/Rect.h"
#include "HYX/ResrcDB.h"
#include "HYX/ResrcDBList.h"
#include "HYX/ResrcTool.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"
#include "HYX/Strings.h"
#include "HYX/UpaXSectPlot.h"

#include <string>
#include <vector>

using namespace HYX;

namespace {

// The options this program offers, in the order of the help listing and of matching
// abbreviated keys.
void buildOptions(ResrcDBList& keyed, ResrcDBList& positional) {
    using H = HyxResrc;
    for (int id : {H::GROUP_PROGRAM, H::GROUP_PATHS, H::GROUP_MAPS, H::GROUP_NAMING, H::GROUP_TIME,
                   H::GROUP_DOMAIN, H::GROUP_IDENT, H::GROUP_PLOT, H::GROUP_COLORS, H::GROUP_WINDOW,
                   H::VARIABLE})
        HyxResrc::add(keyed, id);
    HyxResrc::add(positional, H::FILENAME);
}

// Resources the program reads that have no option of their own: given by their full name.
const std::vector<std::string> FULL_NAMES = {"var_file",     "color_cont", "color_clabel",
                                             "con_interval", "con_base",   "output"};

// Without a file_path resource the program uses its installed database, or the one of the
// source tree it was built from, so that it runs out of the box.
void useDefaultDatabase() {
    if (Hyx::getResrc("file_path")) return;
    for (const char* dir : {VSECT_SHARE_DIR, VSECT_SOURCE_SHARE_DIR}) {
        if (FileTool::isDir(dir)) {
            Hyx::setDatabasePath(dir);
            return;
        }
    }
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
    Rect area(0.06f, 0.05f, 0.95f, 0.95f);
    Figure figure;
    figure.open();
    Graph& graph = figure.getPlot().getGraph();
    if (!figure.getPlot().isOpen())
        return graph.getDeviceType() == Graph::XWINDOW ? Hyx::NOGRAPH : Hyx::NOWRITE;
    figure.startPlot(area, 1.25f);
    figure.addDrawing(drawing);
    figure.endPlot();
    Hyx::Error status = drawing.getStatus();
    if (status != Hyx::NOERR) {
        graph.discard();
        return status;
    }
    if (!figure.manage() && figure.getPlot().getOutput()) status = Hyx::NOWRITE;
    if (!figure.close()) status = Hyx::NOWRITE;
    return status;
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
    useDefaultDatabase();
    ResrcTool::checkKeys(args, keyed, FULL_NAMES);

    // Everything that can be found wrong before a page is opened is, so that a mistake
    // leaves no page behind.
    UpaXSectPlot drawing;
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
