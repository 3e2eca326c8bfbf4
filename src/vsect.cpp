// vsect: vertical cross sections of the atmosphere from upper-air soundings.
#include "HYX/Figure.h"
#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/Prog.h"
#include "HYX/Rect.h"
#include "HYX/ResrcDB.h"
#include "HYX/ResrcDBList.h"
#include "HYX/Strings.h"
#include "HYX/UpaXSectPlot.h"
#include "HYX/XSectStyle.h"
#include "VsectOptions.h"

using namespace HYX;

namespace {

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

} // namespace

int main(int argc, char** argv) {
    ResrcDBList keyed;
    ResrcDBList positional;
    vsectOptions(keyed, positional);

    const Strings args(argc, argv);
    ResrcDB::create(args, keyed, positional);
    if (Prog::printHelp(keyed, positional, "This program plots upper air cross sections"))
        Hyx::exit(Hyx::NOERR);

    Prog::printProg("VERTICAL CROSS SECTION PLOTTING");
    useDefaultDatabase();

    UpaXSectPlot drawing;
    drawing.setStyle(XSectStyle::program(Hyx::getResrc("parameter")));
    drawing.setFilename();
    Rect area = drawing.getStyle().getArea();
    {
        // The figure closes its device, completing any file output, when it goes out of
        // scope.
        Figure figure;
        figure.open();
        // Black on paper and on a light window background, white on the dark screen.
        figure.getPlot().setGroundForeground(true);
        figure.startPlot(area, 1.25f);
        figure.addDrawing(drawing);
        figure.endPlot();
        figure.manage();
    }
    Hyx::exit(Hyx::NOERR);
}
