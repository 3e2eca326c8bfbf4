// vsect: vertical cross sections of the atmosphere from upper-air soundings.
#include "HYX/Figure.h"
#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/HyxResrc.h"
#include "HYX/Prog.h"
#include "HYX/Rect.h"
#include "HYX/ResrcDB.h"
#include "HYX/ResrcDBList.h"
#include "HYX/Strings.h"
#include "HYX/UpaXSectPlot.h"

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

// A device string that names no device or that its device refuses, and output that cannot
// be written, end the run with the plot's exit code.
void stopOnPlotError(Figure& figure) {
    const int code = figure.getPlot().getError();
    if (code) Hyx::exit(code);
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

    UpaXSectPlot drawing;
    drawing.setFilename();
    Rect area(0.06f, 0.05f, 0.95f, 0.95f);
    {
        // The figure closes its device, completing any file output, when it goes out of
        // scope.
        Figure figure;
        figure.open();
        stopOnPlotError(figure);
        figure.startPlot(area, 1.25f);
        figure.addDrawing(drawing);
        figure.endPlot();
        figure.manage();
        stopOnPlotError(figure);
        figure.close();
        stopOnPlotError(figure);
    }
    Hyx::exit(Hyx::NOERR);
}
