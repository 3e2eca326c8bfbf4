// The vertical cross section of upper-air soundings.
#include "HYX/UpaXSectPlot.h"

#include "HYX/CityData.h"
#include "HYX/CityFile.h"
#include "HYX/ColorKey.h"
#include "HYX/Const.h"
#include "HYX/Date.h"
#include "HYX/Domain.h"
#include "HYX/EarthPoint.h"
#include "HYX/FileTool.h"
#include "HYX/Grid.h"
#include "HYX/GridRefine.h"
#include "HYX/Hyx.h"
#include "HYX/LabelSpace.h"
#include "HYX/Plot.h"
#include "HYX/Point.h"
#include "HYX/Rect.h"
#include "HYX/StrLib.h"
#include "HYX/Strings.h"
#include "HYX/Unit.h"
#include "HYX/UpaCalc.h"
#include "HYX/UpaData.h"
#include "HYX/UpaFile.h"
#include "HYX/UpaLevel.h"
#include "HYX/UpaRawinData.h"
#include "HYX/UpaTool.h"
#include "HYX/VCoord.h"
#include "HYX/VarList.h"
#include "HYX/VarName.h"
#include "HYX/Wind.h"
#include "HYX/WindPlot.h"
#include "HYX/XSectionPlot.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace HYX {

// Everything one draw builds: the columns, their soundings, places and labels.
struct UpaXSectPlot::Section {
    Strings ids;
    int num = 0;
    std::vector<UpaData> mdata;
    std::vector<EarthPoint> ept;
    std::vector<float> dist;
    std::vector<bool> has_data;
    String datim{120};
    Strings labels;
};

namespace {

constexpr const char* DEFAULT_NAME_CONV = "upa_cvt";
constexpr const char* DEFAULT_NUM_HOUR = "-72";
constexpr const char* DEFAULT_CITY_FILE = "upa.cty";
constexpr const char* DEFAULT_VAR_FILE = "vsect.var";
constexpr float DEFAULT_SPACING = 100.0f; // km, for columns with no known place at all
constexpr float KEY_GAP = 0.015f;         // page units between the frame and the colour key
constexpr float FINE_COLUMNS = 64;        // columns across a section contoured with "smooth"

// The units of the values the calculations return. Mixing ratio and specific humidity come
// in grams per kilogram although their unit is named as a pure ratio.
const char* valueUnits(const char* name) {
    if (StrLib::iequal(name, "mrat") || StrLib::iequal(name, "shum")) return "g/kg";
    return UpaCalc::getUnits(name);
}

} // namespace

UpaXSectPlot::UpaXSectPlot() : filename(DEFAULT_NAME_CONV) { init(); }

int UpaXSectPlot::init() {
    type = 0;
    plot_type[0] = 0;
    setFile();
    if (const char* v = Hyx::getResrc("variable")) setVariable(v);
    if (const char* p = Hyx::getResrc("plot_type")) setPlotType(p);
    setParam(Hyx::getResrc("parameter"));
    return 1;
}

int UpaXSectPlot::getDomain(Domain& d) {
    d.init();
    return 1;
}

int UpaXSectPlot::setFile() {
    const char* conv = Hyx::getResrc("in_file");
    setNameConv(conv ? conv : DEFAULT_NAME_CONV);
    return 1;
}

int UpaXSectPlot::setFilename() { return filename.setFilePrompt("Enter the upper air filename: "); }

int UpaXSectPlot::setParam(const char* param) {
    const Strings items(param, ',');
    for (int i = 0; i < items.getNum(); ++i)
        if (items.iequal(i, "sync")) sync = 1;
    return 1;
}

int UpaXSectPlot::getInitDate(Date& d) {
    if (!filename.isSet()) filename.setFile("la");
    return filename.getDate(d);
}

int UpaXSectPlot::print() {
    std::printf("UpaXSectPlot\n");
    return 1;
}

int UpaXSectPlot::setPlotType(const char* text) {
    StrLib::copy(plot_type, sizeof plot_type, text);
    return 1;
}

int UpaXSectPlot::draw(Plot& plot) {
    Section s;
    s.ids.set(Hyx::getResrc("identifier"), ',');
    s.num = s.ids.getNum();
    if (s.num == 0 || (s.num == 1 && !s.ids.valid(0))) {
        Hyx::outWarning("UpaXSectPlot::draw: no station identifier given (use -id ID1,ID2,...)\n");
        return 0;
    }
    type = 0;
    if (s.num == 1) {
        filename.setNumFiles(Hyx::getResrc("num_hour", DEFAULT_NUM_HOUR));
        s.num = filename.getNumFiles();
        type = 1;
    }
    if (s.num > MAX_COLUMN) {
        Hyx::outWarning("UpaXSectPlot::draw: %d %s requested; only the %s %d are drawn\n", s.num,
                        type ? "files" : "stations", type ? "last" : "first", MAX_COLUMN);
    }
    if (s.num < 1) {
        Hyx::outWarning("UpaXSectPlot::draw: no data files for the time section\n");
        return 0;
    }
    const int ok = type ? readTime(s) : readSpace(s);
    if (!ok) return 0;

    XSectionPlot xs;
    drawFrame(plot, s, xs);
    drawVariables(plot, s, xs);
    return 1;
}

int UpaXSectPlot::readSpace(Section& s) {
    if (s.num > MAX_COLUMN) {
        Strings first;
        first.set(MAX_COLUMN);
        for (int j = 0; j < MAX_COLUMN; ++j) first.set(j, s.ids.getString(j));
        s.ids = first;
        s.num = MAX_COLUMN;
    }
    s.mdata.assign(s.num, UpaData());
    s.ept.assign(s.num, EarthPoint());
    s.dist.assign(s.num, 0.0f);
    s.has_data.assign(s.num, false);
    s.labels = s.ids;

    UpaFile file(filename.getName());
    if (!file.isOpen()) {
        Hyx::outWarning("UpaXSectPlot::draw: unable to open upper air file %s\n",
                        filename.getName());
        return 0;
    }
    UpaRawinData udata;
    while (file.read(udata) > 0) {
        for (int j = 0; j < s.num; ++j) {
            if (!StrLib::iequal(udata.getId(), s.ids.getString(j))) continue;
            UpaTool::merge(udata, s.mdata[j]);
            s.ept[j] = udata.getLoc();
            s.has_data[j] = true;
        }
    }
    const Date date = file.getDate();
    file.close();
    date.toText("%HZ %d %b %y", s.datim);
    date.print();

    locateFromStationFile(s);
    for (int j = 0; j < s.num; ++j) {
        const char* id = s.ids.getString(j) ? s.ids.getString(j) : "";
        if (!s.has_data[j] && s.ept[j].getLat() == Const::FMISS)
            Hyx::outWarning("UpaXSectPlot::draw: station %s is in neither the data file nor the "
                            "station file; its column is left empty\n",
                            id);
        else if (!s.has_data[j])
            Hyx::outWarning("UpaXSectPlot::draw: no sounding for station %s in %s\n", id,
                            filename.getName());
    }
    placeColumns(s);
    return 1;
}

void UpaXSectPlot::locateFromStationFile(Section& s) const {
    bool needed = false;
    for (const EarthPoint& e : s.ept) needed = needed || e.getLat() == Const::FMISS;
    if (!needed) return;
    String path(256);
    FileTool::addPath(Hyx::getResrc("file_path", Hyx::getDatabasePath()),
                      Hyx::getResrc("city_file", DEFAULT_CITY_FILE), path);
    CityFile cities(path.get());
    CityData city;
    while (cities.read(city) > 0) {
        for (int j = 0; j < s.num; ++j)
            if (s.ept[j].getLat() == Const::FMISS &&
                StrLib::iequal(city.getId(), s.ids.getString(j)))
                s.ept[j].set(city.getLat(), city.getLon());
    }
}

// Cumulative great-circle distances along the stations in list order. Stations without a
// known place are put between their placed neighbours, so that their (empty) columns keep
// their order in the section.
void UpaXSectPlot::placeColumns(Section& s) const {
    std::vector<int> placed;
    for (int j = 0; j < s.num; ++j)
        if (s.ept[j].getLat() != Const::FMISS && s.ept[j].getLon() != Const::FMISS)
            placed.push_back(j);
    if (placed.empty()) {
        for (int j = 0; j < s.num; ++j) s.dist[j] = j * DEFAULT_SPACING;
        return;
    }
    s.dist[placed[0]] = 0;
    for (size_t k = 1; k < placed.size(); ++k)
        s.dist[placed[k]] =
            s.dist[placed[k - 1]] + Domain::calcEarthDist(s.ept[placed[k]], s.ept[placed[k - 1]]);
    const float total = s.dist[placed.back()];
    const float spacing =
        placed.size() > 1 && total > 0 ? total / (placed.back() - placed[0]) : DEFAULT_SPACING;
    for (int j = 0; j < placed[0]; ++j) s.dist[j] = -(placed[0] - j) * spacing;
    for (size_t k = 1; k < placed.size(); ++k) {
        const int a = placed[k - 1], b = placed[k];
        for (int j = a + 1; j < b; ++j)
            s.dist[j] = s.dist[a] + (s.dist[b] - s.dist[a]) * (j - a) / (b - a);
    }
    for (int j = placed.back() + 1; j < s.num; ++j)
        s.dist[j] = total + (j - placed.back()) * spacing;
    // The section starts at its first column.
    const float start = s.dist[0];
    for (float& d : s.dist) d -= start;
}

int UpaXSectPlot::readTime(Section& s) {
    const int total = s.num;
    const int skip = total > MAX_COLUMN ? total - MAX_COLUMN : 0;
    s.num = total - skip;
    s.mdata.assign(s.num, UpaData());
    s.ept.assign(s.num, EarthPoint());
    s.dist.assign(s.num, 0.0f);
    s.has_data.assign(s.num, false);
    s.labels.set(s.num);
    const char* id = s.ids.getString(0);

    for (int i = 0; i < s.num; ++i) {
        filename.setFile(i + skip);
        Hyx::outMessage(Hyx::MESS, "File: %s\n", filename.getName());
        UpaFile file(filename.getName());
        Date date;
        if (file.isOpen())
            date = file.getDate();
        else
            filename.getDate(date);
        String label(20);
        date.toText("%d/%H", label);
        s.labels.set(i, label.get());
        if (i == 0) {
            s.datim.printf("ID: %s starting ", id);
            String first(40);
            date.toText("%HZ %d %b %y", first);
            s.datim.append(first);
        }
        if (!file.isOpen()) {
            Hyx::outWarning("UpaXSectPlot::draw: no upper air file %s; its column is left empty\n",
                            filename.getName());
            continue;
        }
        UpaRawinData udata;
        while (file.read(udata) > 0) {
            if (!StrLib::iequal(udata.getId(), id)) continue;
            UpaTool::merge(udata, s.mdata[i]);
            s.has_data[i] = true;
        }
        if (!s.has_data[i])
            Hyx::outWarning("UpaXSectPlot::draw: no sounding for %s in %s\n", id,
                            filename.getName());
    }
    for (int i = 0; i < s.num; ++i) s.dist[i] = i * TIME_STEP;
    return 1;
}

// A time section has no distances to show.
XSectStyle UpaXSectPlot::frameStyle() const {
    XSectStyle f = style;
    f.km = f.km && type == 0;
    return f;
}

void UpaXSectPlot::drawFrame(Plot& plot, Section& s, XSectionPlot& xs) const {
    Rect view;
    plot.getViewport(view);
    xs.setView(view);
    xs.setVertAxis(TOP_PRES, 1050, 50);
    float length = s.dist[s.num - 1];
    if (length > 0) {
        xs.setHorAxis(-0.1f * length, 1.1f * length);
    } else {
        // All columns at one place: a range around it, so that they stand in the middle.
        xs.setHorAxis(-DEFAULT_SPACING, DEFAULT_SPACING);
    }
    xs.setLabels(s.labels);
    for (int j = 0; j < s.num; ++j) xs.setHorDist(j, s.dist[j]);
    xs.setStyle(frameStyle());
    xs.draw(plot);
    // The program's layout draws the ground over the variables instead.
    if (!style.tidy) drawSurface(plot, s, xs);
}

void UpaXSectPlot::drawSurface(Plot& plot, Section& s, XSectionPlot& xs) const {
    plot.setLine("cyan");
    for (int j = 1; j < s.num; ++j) {
        const float p0 = s.mdata[j - 1].getSfcPres();
        const float p1 = s.mdata[j].getSfcPres();
        if (!s.mdata[j - 1].isSfc() || !s.mdata[j].isSfc() || !(p0 > 500) || !(p1 > 500)) continue;
        plot.drawLine(Point(xs.getX(j - 1), xs.getY(p0)), Point(xs.getX(j), xs.getY(p1)));
    }
}

void UpaXSectPlot::drawVariables(Plot& plot, Section& s, XSectionPlot& xs) {
    const int code = ContPlot::decodeType(plot_type);
    std::printf("CONT: %s %d\n", plot_type, code);
    const bool cont = code >= 1 && code <= 4;

    const int tran = plot.getTran();
    plot.activateTran(1);
    VarList vars;
    vars.setFile(Hyx::getResrc("var_file", DEFAULT_VAR_FILE));
    VarList::process(variable.get(), vars);
    if (Hyx::isDebug(2)) vars.print();
    vars.print();

    // Contour labels and H/L marks of all variables share the room above the ground.
    LabelSpace room;
    if (style.tidy) room.setFloor(groundLine(s, xs));
    Unit unit;
    for (int k = 0; k < vars.getNum(); ++k) {
        plot.setLine();
        plot.setText();
        plot.setMark();
        plot.setFill();
        const char* name = vars.getName(k);
        // Values come in the units of the calculation unless the list asks for others.
        const char* base = valueUnits(name);
        const char* want = vars.getUnits(k);
        const char* units = base;
        if (StrLib::valid(want) && !StrLib::iequal(want, base)) {
            if (unit.valid(base, want))
                units = want;
            else
                Hyx::outWarning("UpaXSectPlot::draw: no conversion from %s to %s for %s\n", base,
                                want, name);
        }
        if (vars.isContour(k) || (cont && vars.isParam(k))) {
            while (cplots.size() <= static_cast<size_t>(k)) addContPlot();
            ContPlot& cplot = cplots[k];
            // The variable's own options (ln, cf, int=, base=, ...) win over the plot type.
            cplot.setType(cont ? code : ContPlot::LINE);
            cplot.setParam(vars.getFormat(k));
            if (style.tidy) styleContour(cplot, room);
            contour(plot, s, xs, name, units, cplot);
            cplot.setLabelSpace(nullptr);
            if (style.tidy && cplot.getBar()) placeKey(plot, units);
        } else {
            plotValues(plot, s, xs, name, units);
        }

        plot.activateTran(tran);
        plot.addLabel("ur", s.datim.get());
        String label(120);
        VarName::makeLabel(name, units, label);
        plot.addLabel("ul", label.get());
        plot.done();
        plot.activateTran(1);
    }
    if (style.tidy) drawSurface(plot, s, xs);
    plot.activateTran(tran);
    if (style.heading && vars.getNum() > 0) {
        // A line of its own above the variables' labels.
        plot.addLabel("uc", heading(s).c_str());
        plot.done();
    }
}

// The section named by its ends and its time: the first and last station and the date of a
// space section, the station and the first and last date of a time section.
std::string UpaXSectPlot::heading(Section& s) const {
    const char* first = s.labels.getString(0);
    const char* last = s.labels.getString(s.num - 1);
    if (type == 0)
        return std::string(first ? first : "") + " - " + (last ? last : "") + "   " + s.datim.get();
    const char* id = s.ids.getString(0);
    const char* start = std::strstr(s.datim.get(), "starting ");
    Date end;
    filename.getDate(end);
    String until(40);
    end.toText("%HZ %d %b %y", until);
    return std::string(id ? id : "") + "   " + (start ? start + 9 : "") + " - " + until.get();
}

void UpaXSectPlot::addContPlot() {
    cplots.emplace_back();
    if (!style.tidy) return;
    // H and L read like pressure centres on a section: only on request ("hl", or a radius
    // with lab=), also from the parameter resource.
    ContPlot& c = cplots.back();
    c.setLabelParam(c.getSkipVal(), 0);
    c.setParam(Hyx::getResrc("parameter"));
}

// The colour key stands at the right of the frame, clear of its labels and the titles.
void UpaXSectPlot::placeKey(Plot& plot, const char* units) const {
    Rect view;
    plot.getViewport(view);
    const float x = view.xmax + KEY_GAP;
    plot.setBarKey(Rect(x, view.ymin, x + ColorKey::BOX_WIDTH, view.ymax - 2 * KEY_GAP), units);
}

// Filled variables get a colour key unless they say "nobar"; every band its own colour;
// labels only where they clear the ground and each other.
void UpaXSectPlot::styleContour(ContPlot& cplot, LabelSpace& room) const {
    if (cplot.isTypeFill() && cplot.getBarRequest() == 0) cplot.setBar(1);
    cplot.setSpreadFill(true);
    cplot.setLabelSpace(&room);
}

// The surface line as the contour grid's lowest row runs: straight between the surface
// points of neighbouring columns, broken at a column without a surface.
std::vector<Point> UpaXSectPlot::groundLine(Section& s, XSectionPlot& xs) const {
    std::vector<Point> line;
    for (int j = 0; j < s.num; ++j) {
        const float sfc = s.mdata[j].getSfcPres();
        const bool known = s.mdata[j].isSfc() && sfc != Const::FMISS && sfc > TOP_PRES;
        line.push_back(known ? Point(xs.getX(j), xs.getY(sfc)) : Point(Const::FMISS, Const::FMISS));
    }
    return line;
}

namespace {

// Below the surface of the sounding, when it has one.
bool belowGround(const UpaData& d, float p) {
    const float sfc = d.getSfcPres();
    return d.isSfc() && sfc != Const::FMISS && p > sfc;
}

// The value of name at a level, in the requested units.
float valueAt(const UpaLevel& level, const char* name, const char* base, const char* units,
              Unit& unit) {
    const float v = UpaCalc::calc(level, name);
    if (v == Const::FMISS || StrLib::iequal(base, units)) return v;
    return unit.convert(v, base, units);
}

} // namespace

void UpaXSectPlot::contour(Plot& plot, Section& s, XSectionPlot& xs, const char* name,
                           const char* units, ContPlot& cplot) {
    Hyx::outDebug(2, "CONTOUR\n");
    std::printf("CONT\n");
    Grid grid;
    grid.setSize(s.num, NUM_ROW);
    grid.allocData();
    grid.allocLocate();
    Unit unit;
    const char* base = valueUnits(name);
    for (int j = 0; j < s.num; ++j) {
        const float sfc = s.mdata[j].getSfcPres();
        const bool defined = sfc != Const::FMISS && sfc > TOP_PRES;
        // A column without a surface has no rows of its own: its points sit on evenly
        // spaced pressures and stay missing.
        float p = defined ? sfc : 1050.0f;
        const float step = (p - TOP_PRES) / (NUM_ROW - 1);
        for (int r = NUM_ROW - 1; r >= 0; --r, p -= step) {
            grid.setLocate(j, r, Point(xs.getX(j), xs.getY(p)));
            if (!defined) continue;
            UpaLevel level;
            s.mdata[j].interp(VCoord(VCoord::PRESS, p), level);
            grid.setValue(j, r, valueAt(level, name, base, units, unit));
        }
    }
    grid.print();
    grid.printStats();
    drawGrid(plot, grid, cplot);
}

// With "smooth", contours come from a finer grid between the stations; values plotted at
// grid points stay at the stations.
void UpaXSectPlot::drawGrid(Plot& plot, Grid& grid, ContPlot& cplot) const {
    const float width = grid.getLocate(grid.getNx() - 1, 0).x - grid.getLocate(0, 0).x;
    Grid fine;
    if (!style.smooth || cplot.getType() == ContPlot::VALUE || !(width > 0) ||
        !GridRefine::columns(grid, width / FINE_COLUMNS, fine)) {
        cplot.draw(plot, grid);
        return;
    }
    cplot.draw(plot, fine);
}

void UpaXSectPlot::plotValues(Plot& plot, Section& s, XSectionPlot& xs, const char* name,
                              const char* units) const {
    Hyx::outDebug(2, "PLOT\n");
    std::printf("PLOT\n");
    Unit unit;
    const char* base = valueUnits(name);
    const bool barbs = StrLib::iequal(name, "wbarb");
    LabelSpace room; // of the barbs drawn, when they are thinned
    for (int j = 0; j < s.num; ++j) {
        for (float p = 1000; p > 50; p -= 50) {
            if (style.tidy && belowGround(s.mdata[j], p)) continue;
            UpaLevel level;
            s.mdata[j].interp(VCoord(VCoord::PRESS, p), level);
            const Point pt(xs.getX(j), xs.getY(p));
            if (barbs && level.dir != Const::FMISS) {
                const Wind wind(level.dir, level.spd);
                const Rect box = WindPlot::getBarbBox(pt, wind, BARB_SIZE);
                if (style.thin && box.valid() && !room.claim(box)) continue;
                WindPlot::drawBarb(plot, pt, wind, BARB_SIZE, 0);
                continue;
            }
            const float v = valueAt(level, name, base, units, unit);
            if (v != Const::FMISS) drawValue(plot, pt, v, p - 50 <= 50);
        }
    }
}

// The values of the top level hang below its line in the program's layout, inside the
// frame that clips the data.
void UpaXSectPlot::drawValue(Plot& plot, const Point& pt, float v, bool top) const {
    if (!style.tidy || !top) {
        plot.drawFormText(pt, "%.1f", v);
        return;
    }
    plot.setTextAlign(0, 1);
    plot.drawFormText(pt, "%.1f", v);
    plot.setTextAlign(0, 0);
}

} // namespace HYX
