// The vertical cross section of upper-air soundings.
#include "HYX/UpaXSectPlot.h"

#include "HYX/CityData.h"
#include "HYX/CityFile.h"
#include "HYX/Const.h"
#include "HYX/Date.h"
#include "HYX/Domain.h"
#include "HYX/EarthPoint.h"
#include "HYX/FileTool.h"
#include "HYX/Grid.h"
#include "HYX/Hyx.h"
#include "HYX/Plot.h"
#include "HYX/Point.h"
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
    file.setStations(s.ids);
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
        file.setStations(s.ids);
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
    xs.draw(plot);

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
            if (cplots.size() <= static_cast<size_t>(k)) cplots.resize(k + 1);
            ContPlot& cplot = cplots[k];
            // The variable's own options (ln, cf, int=, base=, ...) win over the plot type.
            cplot.setType(cont ? code : ContPlot::LINE);
            cplot.setParam(vars.getFormat(k));
            contour(plot, s, xs, name, units, cplot);
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
    plot.activateTran(tran);
}

namespace {

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
    cplot.draw(plot, grid);
}

void UpaXSectPlot::plotValues(Plot& plot, Section& s, XSectionPlot& xs, const char* name,
                              const char* units) const {
    Hyx::outDebug(2, "PLOT\n");
    std::printf("PLOT\n");
    Unit unit;
    const char* base = valueUnits(name);
    const bool barbs = StrLib::iequal(name, "wbarb");
    for (int j = 0; j < s.num; ++j) {
        for (float p = 1000; p > 50; p -= 50) {
            UpaLevel level;
            s.mdata[j].interp(VCoord(VCoord::PRESS, p), level);
            const Point pt(xs.getX(j), xs.getY(p));
            if (barbs && level.dir != Const::FMISS) {
                WindPlot::drawBarb(plot, pt, Wind(level.dir, level.spd), BARB_SIZE, 0);
                continue;
            }
            const float v = valueAt(level, name, base, units, unit);
            if (v != Const::FMISS) plot.drawFormText(pt, "%.1f", v);
        }
    }
}

} // namespace HYX
