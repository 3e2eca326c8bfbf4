// The vertical cross section of upper-air soundings: along a line of stations (a space
// section) or, for one station, over a run of consecutive data files (a time section).
// Each requested variable is contoured on terrain-following rows or written as values or
// wind barbs at the standard pressures.
#ifndef HYX_UPAXSECTPLOT_H
#define HYX_UPAXSECTPLOT_H

#include "HYX/ContPlot.h"
#include "HYX/Date.h"
#include "HYX/Drawing.h"
#include "HYX/Export.h"
#include "HYX/Filename.h"
#include "HYX/Hyx.h"
#include "HYX/Listener.h"
#include "HYX/String.h"
#include "HYX/XSectStyle.h"

#include <string>
#include <vector>

namespace HYX {

class EarthPoint;
class Grid;
class LabelSpace;
class Plot;
class Point;
class Strings;
class UpaData;
class UpaFile;
class XSectionPlot;

class HYX_API UpaXSectPlot : public Drawing, public Listener {
public:
    static constexpr int MAX_COLUMN = 50;
    static constexpr int NUM_ROW = 21;
    static constexpr float TOP_PRES = 100.0f;
    static constexpr float BARB_SIZE = 0.04f;
    static constexpr float TIME_STEP = 20.0f; // distance between the columns of a time section

    UpaXSectPlot();

    int init() override;
    int getDomain(Domain& d) override;
    int setFile() override;
    int setInput(const char*) override { return 1; }
    int setNameConv(const char* name) override { return filename.setNameConv(name); }
    // Chooses the data file once (asking for it when the resource inter says so); later
    // calls keep that choice.
    int setFilename() override;
    int setFilename(const char* name) override;
    // The file of date d, unless the user named one: a named file is drawn whatever the
    // frame's date.
    int setFilename(Date& d) override;
    int setFilename(Date& d, const char*) override { return setFilename(d); }
    int setParam(const char* param) override;
    // The date of the selected data; for a named file the date its contents give.
    int getDate(Date& d) override;
    int getLoopType() override { return 1; }
    int getInitDate(Date& d) override;
    int getDateOffset() override { return filename.getOffset(); }
    int getNumFrames() override { return filename.getNumFiles(); }
    int getSync() override { return sync; }
    int draw(Plot& plot) override;
    int print() override;
    void callback(const char*, const char*, const void*) override {}

    int setVariable(const char* text) { return variable.copy(text ? text : ""); }
    int setPlotType(const char* text);
    int getType() const { return type; }
    const Filename& getFilename() const { return filename; }
    // The layout and options of the drawing; a default style draws the classic section.
    void setStyle(const XSectStyle& s) { style = s; }
    const XSectStyle& getStyle() const { return style; }

    // Before anything is drawn: the stations, the reference time, the plot type and the
    // variable list. Each problem is reported; the result is the exit code it calls for.
    Hyx::Error checkSettings() const;
    // The data file chosen by setFilename: NOFILE, with the reason, when it cannot be read.
    Hyx::Error checkFile() const;
    // How the last draw went: NOERR (some columns may have been skipped, as its summary
    // says), NOFILE when no data file could be read, NODATA when no station had data.
    Hyx::Error getStatus() const { return status; }

private:
    struct Section;

    int chosen(int ok);
    int readSpace(Section& s);
    int readTime(Section& s);
    void readRecords(UpaFile& file, Section& s, const std::vector<int>& cols) const;
    void reportForms(Section& s) const;
    void locateFromStationFile(Section& s) const;
    void leaveOutUnplaced(Section& s) const;
    void placeColumns(Section& s) const;
    XSectStyle frameStyle() const;
    void drawFrame(Plot& plot, Section& s, XSectionPlot& xs) const;
    void drawSurface(Plot& plot, Section& s, XSectionPlot& xs) const;
    std::vector<Point> groundLine(Section& s, XSectionPlot& xs) const;
    void addContPlot();
    void styleContour(ContPlot& cplot, LabelSpace& room) const;
    void drawValue(Plot& plot, const Point& pt, float v, bool top) const;
    void placeKey(Plot& plot, const char* units) const;
    void drawGrid(Plot& plot, Grid& grid, ContPlot& cplot) const;
    std::string heading(Section& s) const;
    void startReadout(Section& s, const XSectionPlot& xs) const;
    void drawVariables(Plot& plot, Section& s, XSectionPlot& xs);
    void contour(Plot& plot, Section& s, XSectionPlot& xs, const char* name, const char* units,
                 ContPlot& cplot);
    void plotValues(Plot& plot, Section& s, XSectionPlot& xs, const char* name,
                    const char* units) const;
    void printSummary(Section& s) const;
    // The name of the data file as the user gave it, with where it was looked for.
    std::string shownName() const;

    int type = 0;
    int refresh = 0;
    int sync = 0;
    Filename filename;
    char plot_type[10] = "";
    String variable;
    XSectStyle style;
    bool selected = false; // the data file has been chosen
    int found = 0;         // and was there
    Date file_date;        // the date a named file's contents give
    Hyx::Error status = Hyx::NOERR;
    // One contour drawer per variable of the list, kept from draw to draw so that each
    // variable keeps the levels it was given or computed first (frames stay comparable).
    std::vector<ContPlot> cplots;
};

} // namespace HYX

#endif
