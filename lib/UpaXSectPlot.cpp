// The vertical cross section of upper-air soundings.
#include "HYX/UpaXSectPlot.h"

#include "HYX/CityData.h"
#include "HYX/CityFile.h"
#include "HYX/ColorKey.h"
#include "HYX/ColumnCalc.h"
#include "HYX/Const.h"
#include "HYX/Date.h"
#include "HYX/Domain.h"
#include "HYX/EarthPoint.h"
#include "HYX/FileTool.h"
#include "HYX/Grid.h"
#include "HYX/GridRefine.h"
#include "HYX/Hyx.h"
#include "HYX/LabelSpace.h"
#include "HYX/NameConvTool.h"
#include "HYX/Plot.h"
#include "HYX/Point.h"
#include "HYX/Rect.h"
#include "HYX/SectionGeometry.h"
#include "HYX/SectionReadout.h"
#include "HYX/StationMatch.h"
#include "HYX/StrLib.h"
#include "HYX/Strings.h"
#include "HYX/Unit.h"
#include "HYX/UpaCalc.h"
#include "HYX/UpaData.h"
#include "HYX/UpaFile.h"
#include "HYX/UpaFileCheck.h"
#include "HYX/UpaLevel.h"
#include "HYX/UpaRawinData.h"
#include "HYX/UpaTool.h"
#include "HYX/VCoord.h"
#include "HYX/VarList.h"
#include "HYX/VarListCheck.h"
#include "HYX/VarName.h"
#include "HYX/Wind.h"
#include "HYX/WindPlot.h"
#include "HYX/XSectionPlot.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

namespace HYX {

// Everything one draw builds: the columns, their soundings, places and labels, and what
// the summary tells about them.
struct UpaXSectPlot::Section {
    Strings ids;
    int num = 0;
    int total = 0; // columns asked for
    std::vector<UpaData> mdata;
    std::vector<EarthPoint> ept;
    std::vector<float> dist;
    std::vector<float> dir;        // bearing of the section at each column (none in time)
    std::vector<std::string> when; // time of each column of a time section
    std::vector<bool> has_data;
    std::vector<bool> valued; // some value or barb of the column was drawn
    std::vector<int> form;    // how the column's soundings matched its identifier
    std::vector<std::string> matched;
    String datim{120};
    Strings labels;
    StationMatch match;
    std::vector<std::string> skipped; // "label (reason)"
    std::shared_ptr<SectionReadout> readout = std::make_shared<SectionReadout>();

    void resize(int n) {
        num = n;
        mdata.assign(n, UpaData());
        ept.assign(n, EarthPoint());
        dist.assign(n, 0.0f);
        dir.assign(n, Const::FMISS);
        when.assign(n, "");
        has_data.assign(n, false);
        valued.assign(n, false);
        form.assign(n, StationMatch::NO_MATCH);
        matched.assign(n, "");
    }
};

namespace {

constexpr const char* DEFAULT_NAME_CONV = "upa_cvt";
constexpr const char* DEFAULT_NUM_HOUR = "-72";
constexpr const char* DEFAULT_CITY_FILE = "upa.cty";
constexpr const char* DEFAULT_VAR_FILE = "vsect.var";
constexpr const char* DEFAULT_NAME_FILE = "name.cnv";
constexpr float DEFAULT_SPACING = 100.0f; // km, around columns that all stand at one place
constexpr float KEY_GAP = 0.015f;         // page units between the frame and the colour key
constexpr float FINE_COLUMNS = 64;        // columns across a section contoured with "smooth"

const char* valueUnits(const char* name) { return VarListCheck::valueUnits(name); }

std::string cityPath() {
    String path(256);
    FileTool::addPath(Hyx::getResrc("file_path", Hyx::getDatabasePath()),
                      Hyx::getResrc("city_file", DEFAULT_CITY_FILE), path);
    return path.get();
}

bool placed(const EarthPoint& e) {
    return e.getLat() != Const::FMISS && e.getLon() != Const::FMISS;
}

// The columns still without data, to be tried again under the other forms of their
// identifiers.
std::vector<int> withoutData(const std::vector<bool>& has_data) {
    std::vector<int> cols;
    for (size_t j = 0; j < has_data.size(); ++j)
        if (!has_data[j]) cols.push_back(static_cast<int>(j));
    return cols;
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

int UpaXSectPlot::setFilename() {
    if (selected) return found;
    return chosen(filename.setFilePrompt("Enter the upper air filename: "));
}

int UpaXSectPlot::setFilename(const char* name) { return chosen(filename.setFile(name)); }

// Remembers the choice of the data file and, for a named one, the date its contents give
// (a stream is read once only, by the drawing).
int UpaXSectPlot::chosen(int ok) {
    selected = true;
    found = ok;
    file_date.init();
    if (filename.isNamed() && FileTool::isFile(filename.getName())) {
        UpaFile file(filename.getName());
        if (file.isOpen()) file_date = file.getDate();
    }
    return found;
}

int UpaXSectPlot::setFilename(Date& d) {
    if (filename.isNamed()) return filename.exist() ? 1 : 0;
    return filename.setDate(d);
}

int UpaXSectPlot::getDate(Date& d) {
    if (filename.isNamed() && file_date.isSet()) {
        d = file_date;
        return 1;
    }
    return filename.getDate(d);
}

int UpaXSectPlot::setParam(const char* param) {
    const Strings items(param, ',');
    for (int i = 0; i < items.getNum(); ++i)
        if (items.iequal(i, "sync")) sync = 1;
    return 1;
}

int UpaXSectPlot::getInitDate(Date& d) {
    if (!filename.isSet()) filename.setFile("la");
    return getDate(d);
}

int UpaXSectPlot::print() {
    std::printf("UpaXSectPlot\n");
    return 1;
}

int UpaXSectPlot::setPlotType(const char* text) {
    StrLib::copy(plot_type, sizeof plot_type, text);
    return 1;
}

Hyx::Error UpaXSectPlot::checkSettings() const {
    Hyx::Error e = Hyx::NOERR;
    const Strings ids(Hyx::getResrc("identifier"), ',');
    bool any = false;
    for (int j = 0; j < ids.getNum(); ++j) any = any || ids.valid(j);
    if (!any) {
        Hyx::outError("UpaXSectPlot: no station identifier given (use -id ID1,ID2,...)\n");
        e = Hyx::NOINPUT;
    }
    std::string why;
    const char* current = Hyx::getResrc("current");
    if (current && !NameConvTool::checkRequest(current, why)) {
        Hyx::outError("UpaXSectPlot: reference time \"%s\" (-cu): %s\n", current, why.c_str());
        e = Hyx::NOINPUT;
    }
    why = VarListCheck::checkPlotType(Hyx::getResrc("plot_type"), " (-pl)");
    if (!why.empty()) {
        Hyx::outError("UpaXSectPlot: %s\n", why.c_str());
        e = Hyx::NOINPUT;
    }
    const VarListCheck vars(Hyx::getResrc("var_file", DEFAULT_VAR_FILE));
    for (const std::string& p : vars.check(variable.get())) {
        Hyx::outError("UpaXSectPlot: %s\n", p.c_str());
        e = Hyx::NOINPUT;
    }
    // One station makes a time section, which has no direction to turn the wind into.
    if (ids.getNum() == 1 && ids.valid(0)) {
        for (const std::string& name : vars.needingLine(variable.get())) {
            Hyx::outError("UpaXSectPlot: %s needs a line of stations to take its direction "
                          "from; with the one station %s (-id) the section runs in time\n",
                          name.c_str(), ids.getString(0));
            e = Hyx::NOINPUT;
        }
    }
    if (!Hyx::getResrc("filename") && !filename.getNameConv().hasTimeCode())
        Hyx::outWarning("UpaXSectPlot: the name convention file %s has no convention %s; data "
                        "files cannot be found by their date\n",
                        Hyx::getResrc("name_conv", DEFAULT_NAME_FILE),
                        Hyx::getResrc("in_file", DEFAULT_NAME_CONV));
    return e;
}

std::string UpaXSectPlot::shownName() const {
    const char* given = filename.getGiven();
    const char* name = filename.getName() ? filename.getName() : "";
    if (!filename.isNamed() || !given[0] || StrLib::equal(given, name)) return name;
    return std::string(given) + " (looked for as " + name + ")";
}

Hyx::Error UpaXSectPlot::checkFile() const {
    const std::string why = UpaFileCheck::problem(filename.getName());
    if (why.empty()) return Hyx::NOERR;
    if ((filename.isNamed() && !filename.getGiven()[0]) ||
        (!filename.isNamed() && !filename.getNameConv().hasTimeCode())) {
        Hyx::outError("UpaXSectPlot: no upper air file given\n");
    } else if (filename.isNamed()) {
        Hyx::outError("UpaXSectPlot: upper air file %s %s\n", shownName().c_str(), why.c_str());
    } else {
        String when(40);
        Date d;
        filename.getDate(d);
        d.toText("%HZ %d %b %y", when);
        Hyx::outError("UpaXSectPlot: no upper air file found by the naming convention %s; the "
                      "last one looked for, %s (%s), %s\n",
                      Hyx::getResrc("in_file", DEFAULT_NAME_CONV), shownName().c_str(),
                      when.get() ? when.get() : "", why.c_str());
    }
    return Hyx::NOFILE;
}

int UpaXSectPlot::draw(Plot& plot) {
    status = Hyx::NOERR;
    plot.setReadout(nullptr);
    Section s;
    s.ids.set(Hyx::getResrc("identifier"), ',');
    s.num = s.ids.getNum();
    if (s.num == 0 || (s.num == 1 && !s.ids.valid(0))) {
        Hyx::outWarning("UpaXSectPlot::draw: no station identifier given (use -id ID1,ID2,...)\n");
        status = Hyx::NOINPUT;
        return 0;
    }
    type = 0;
    if (s.num == 1) {
        filename.setNumFiles(Hyx::getResrc("num_hour", DEFAULT_NUM_HOUR));
        s.num = filename.isFixed() ? 1 : filename.getNumFiles();
        type = 1;
    }
    if (s.num > MAX_COLUMN) {
        Hyx::outWarning("UpaXSectPlot::draw: %d %s requested; only the %s %d are drawn\n", s.num,
                        type ? "files" : "stations", type ? "last" : "first", MAX_COLUMN);
    }
    if (s.num < 1) {
        Hyx::outWarning("UpaXSectPlot::draw: no data files for the time section\n");
        status = Hyx::NOFILE;
        return 0;
    }
    const int ok = type ? readTime(s) : readSpace(s);
    if (!ok) return 0;

    XSectionPlot xs;
    drawFrame(plot, s, xs);
    startReadout(s, xs);
    drawVariables(plot, s, xs);
    printSummary(s);
    plot.setReadout(s.readout);
    return 1;
}

// Merges every sounding of the file that belongs to one of the columns cols, each by the
// best form of its identifier that the file holds: soundings found under a better form
// replace those found under a worse one.
void UpaXSectPlot::readRecords(UpaFile& file, Section& s, const std::vector<int>& cols) const {
    UpaRawinData udata;
    while (file.read(udata) > 0) {
        for (int j : cols) {
            const int f = s.match.match(type ? 0 : j, udata.getId(), udata.getWmo());
            if (f == StationMatch::NO_MATCH || f > s.form[j]) continue;
            if (f < s.form[j]) {
                s.mdata[j] = UpaData();
                s.form[j] = f;
                s.matched[j] = udata.getId();
            }
            UpaTool::merge(udata, s.mdata[j]);
            if (!type) s.ept[j] = udata.getLoc();
            s.has_data[j] = true;
        }
    }
}

int UpaXSectPlot::readSpace(Section& s) {
    if (s.num > MAX_COLUMN) {
        Strings first;
        first.set(MAX_COLUMN);
        for (int j = 0; j < MAX_COLUMN; ++j) first.set(j, s.ids.getString(j));
        s.ids = first;
        s.num = MAX_COLUMN;
    }
    s.total = s.num;
    s.resize(s.num);
    s.labels = s.ids;
    s.match = StationMatch(s.ids, cityPath().c_str());

    UpaFile file(filename.getName());
    if (!file.isOpen()) {
        Hyx::outWarning("UpaXSectPlot::draw: upper air file %s %s\n", shownName().c_str(),
                        UpaFileCheck::problem(filename.getName()).c_str());
        status = Hyx::NOFILE;
        return 0;
    }
    std::vector<int> all(s.num);
    for (int j = 0; j < s.num; ++j) all[j] = j;
    // Records of other stations are skipped unread; the rarer second pass, for stations
    // known under another form of their identifier, reads them all.
    file.setStations(s.ids);
    readRecords(file, s, all);
    const std::vector<int> rest = withoutData(s.has_data);
    if (!rest.empty() && s.match.useForms() && file.rewind()) {
        file.setStations(Strings());
        readRecords(file, s, rest);
    }
    const Date date = file.getDate();
    file.close();
    date.toText("%HZ %d %b %y", s.datim);
    date.print();

    reportForms(s);
    locateFromStationFile(s);
    leaveOutUnplaced(s);
    bool any = false;
    for (int j = 0; j < s.num; ++j) any = any || s.has_data[j];
    if (!any) {
        Hyx::outWarning("UpaXSectPlot::draw: none of the stations %s has a sounding with a "
                        "known position in %s\n",
                        Hyx::getResrc("identifier", ""), filename.getName());
        status = Hyx::NODATA;
        return 0;
    }
    placeColumns(s);
    return 1;
}

void UpaXSectPlot::reportForms(Section& s) const {
    for (int j = 0; j < s.num; ++j) {
        if (s.form[j] == StationMatch::GIVEN || s.form[j] == StationMatch::NO_MATCH) continue;
        if (type && j > 0 && s.matched[j] == s.matched[j - 1]) continue;
        Hyx::outMessage(Hyx::MESS, "UpaXSectPlot::draw: station %s found as %s (%s)\n",
                        s.match.getId(type ? 0 : j), s.matched[j].c_str(),
                        StationMatch::describe(s.form[j]));
    }
}

// Places from the station file where the soundings gave none.
void UpaXSectPlot::locateFromStationFile(Section& s) const {
    for (int j = 0; j < s.num; ++j)
        if (!placed(s.ept[j])) s.match.locate(j, s.ept[j]);
}

// A column has no place in a space section without a position: such stations are named
// and left out, with or without soundings.
void UpaXSectPlot::leaveOutUnplaced(Section& s) const {
    std::vector<std::string> ids;
    for (int j = 0; j < s.num; ++j) {
        const std::string id = s.ids.getString(j) ? s.ids.getString(j) : "";
        if (placed(s.ept[j])) {
            if (!s.has_data[j]) {
                Hyx::outWarning("UpaXSectPlot::draw: no sounding for station %s in %s; its "
                                "column is left empty\n",
                                id.c_str(), filename.getName());
                s.skipped.push_back(id + " (not in the file)");
            }
            const int k = static_cast<int>(ids.size());
            if (k != j) {
                s.mdata[k] = std::move(s.mdata[j]);
                s.ept[k] = s.ept[j];
                s.has_data[k] = s.has_data[j];
            }
            ids.push_back(id);
        } else if (s.has_data[j]) {
            Hyx::outWarning("UpaXSectPlot::draw: station %s has no known position (in neither "
                            "the data file nor the station file); it is left out\n",
                            id.c_str());
            s.skipped.push_back(id + " (no position)");
        } else {
            Hyx::outWarning("UpaXSectPlot::draw: station %s is in neither the data file nor the "
                            "station file; it is left out\n",
                            id.c_str());
            s.skipped.push_back(id + " (not in the file)");
        }
    }
    const int kept = static_cast<int>(ids.size());
    s.ids.set(kept);
    for (int j = 0; j < kept; ++j) s.ids.set(j, ids[j].c_str());
    s.labels = s.ids;
    s.num = kept;
    s.mdata.resize(kept);
    s.ept.resize(kept);
    s.dist.resize(kept);
    s.dir.resize(kept);
    s.has_data.resize(kept);
    s.valued.assign(kept, false);
}

// Cumulative great-circle distances along the stations in list order.
void UpaXSectPlot::placeColumns(Section& s) const {
    if (s.num == 0) return;
    s.dist[0] = 0;
    for (int j = 1; j < s.num; ++j)
        s.dist[j] = s.dist[j - 1] + Domain::calcEarthDist(s.ept[j], s.ept[j - 1]);
    s.dir = SectionGeometry::directions(s.ept);
}

int UpaXSectPlot::readTime(Section& s) {
    const int total = s.num;
    const int skip = total > MAX_COLUMN ? total - MAX_COLUMN : 0;
    s.total = total - skip;
    s.resize(total - skip);
    s.labels.set(s.num);
    s.match = StationMatch(s.ids, cityPath().c_str());
    const char* id = s.ids.getString(0);
    if (filename.isFixed() && filename.getNumFiles() > 1)
        Hyx::outWarning("UpaXSectPlot::draw: %s is not named by the convention %s; the time "
                        "section holds its soundings only\n",
                        filename.getName(), Hyx::getResrc("in_file", DEFAULT_NAME_CONV));

    int opened = 0;
    for (int i = 0; i < s.num; ++i) {
        filename.setFile(i + skip);
        Hyx::outMessage(Hyx::MESS, "File: %s\n", filename.getName());
        UpaFile file(filename.getName());
        Date date;
        if (file.isOpen())
            date = file.getDate();
        else
            filename.getDate(date);
        String label(20), when(40);
        date.toText("%d/%H", label);
        s.labels.set(i, label.get());
        date.toText("%HZ %d %b %y", when);
        s.when[i] = when.get() ? when.get() : "";
        if (i == 0) {
            s.datim.printf("ID: %s starting ", id);
            String first(40);
            date.toText("%HZ %d %b %y", first);
            s.datim.append(first);
        }
        if (!file.isOpen()) {
            const std::string why = UpaFileCheck::problem(filename.getName());
            Hyx::outWarning("UpaXSectPlot::draw: upper air file %s %s; its column is left "
                            "empty\n",
                            filename.getName(), why.c_str());
            s.skipped.push_back(std::string(label.get() ? label.get() : "") +
                                (why == "does not exist" ? " (no file)" : " (unreadable file)"));
            continue;
        }
        ++opened;
        file.setStations(s.ids);
        readRecords(file, s, {i});
        if (!s.has_data[i] && s.match.useForms() && file.rewind()) {
            file.setStations(Strings());
            readRecords(file, s, {i});
        }
        if (!s.has_data[i]) {
            Hyx::outWarning("UpaXSectPlot::draw: no sounding for %s in %s\n", id,
                            filename.getName());
            s.skipped.push_back(std::string(label.get() ? label.get() : "") + " (not in the file)");
        }
    }
    reportForms(s);
    for (int i = 0; i < s.num; ++i) s.dist[i] = i * TIME_STEP;
    bool any = false;
    for (int i = 0; i < s.num; ++i) any = any || s.has_data[i];
    if (!any) {
        if (opened)
            Hyx::outWarning("UpaXSectPlot::draw: no sounding for %s in any file of the time "
                            "section\n",
                            id);
        status = opened ? Hyx::NODATA : Hyx::NOFILE;
        return 0;
    }
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

// The columns as the readout tells of them: stations along the section, or times.
void UpaXSectPlot::startReadout(Section& s, const XSectionPlot& xs) const {
    s.readout->setFrame(xs, type == 1);
    for (int j = 0; j < s.num; ++j) {
        const char* label = s.labels.getString(j) ? s.labels.getString(j) : "";
        const float sfc = s.mdata[j].isSfc() ? s.mdata[j].getSfcPres() : Const::FMISS;
        s.readout->addColumn(s.dist[j], type ? s.when[j] : label, sfc);
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
        if (type && ColumnCalc::needsLine(name)) {
            Hyx::outWarning("UpaXSectPlot::draw: %s needs the direction of a line of stations; "
                            "a time section has none, so it is left out\n",
                            name);
            continue;
        }
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

// One quantity asked of every level of every column, in the requested units.
struct Asked {
    Asked(const char* name, const char* base_units, const char* wanted)
        : quantity(ColumnCalc::quantity(name)), base(base_units), units(wanted),
          convert(!StrLib::iequal(base_units, wanted)) {}
    float at(const ColumnCalc& col, const UpaLevel& level) {
        const float v = col.value(quantity, level);
        return v == Const::FMISS || !convert ? v : unit.convert(v, base, units);
    }
    const ColumnCalc::Quantity quantity;
    const char* base;
    const char* units;
    const bool convert;
    Unit unit;
};

} // namespace

void UpaXSectPlot::contour(Plot& plot, Section& s, XSectionPlot& xs, const char* name,
                           const char* units, ContPlot& cplot) {
    Hyx::outDebug(2, "CONTOUR\n");
    std::printf("CONT\n");
    Grid grid;
    grid.setSize(s.num, NUM_ROW);
    grid.allocData();
    grid.allocLocate();
    Asked asked(name, valueUnits(name), units);
    const int k = s.readout->addVariable(name, units, false);
    for (int j = 0; j < s.num; ++j) {
        const ColumnCalc col(s.mdata[j], s.dir[j]);
        const std::vector<double> logs = s.mdata[j].pressCoords();
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
            s.mdata[j].interp(VCoord(VCoord::PRESS, p), level, logs);
            const float v = asked.at(col, level);
            grid.setValue(j, r, v);
            s.readout->addSample(k, j, p, v);
            if (v != Const::FMISS) s.valued[j] = true;
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
    Asked asked(name, valueUnits(name), units);
    const bool barbs = ColumnCalc::isBarb(name);
    const int k = s.readout->addVariable(name, barbs && !units[0] ? "kt" : units, barbs);
    LabelSpace room; // of the barbs drawn, when they are thinned
    for (int j = 0; j < s.num; ++j) {
        const ColumnCalc col(s.mdata[j], s.dir[j]);
        const std::vector<double> logs = s.mdata[j].pressCoords();
        for (float p = 1000; p > 50; p -= 50) {
            if (style.tidy && belowGround(s.mdata[j], p)) continue;
            UpaLevel level;
            s.mdata[j].interp(VCoord(VCoord::PRESS, p), level, logs);
            const Point pt(xs.getX(j), xs.getY(p));
            Wind w = barbs ? col.barb(name, level) : Wind();
            if (w.valid()) {
                if (asked.convert) w.spd = asked.unit.convert(w.spd, asked.base, units);
                const Vect c = Wind::toVect(w.dir, w.spd);
                s.readout->addSample(k, j, p, c.x, c.y);
                const Rect box = WindPlot::getBarbBox(pt, w, BARB_SIZE);
                if (style.thin && box.valid() && !room.claim(box)) continue;
                WindPlot::drawBarb(plot, pt, w, BARB_SIZE, 0);
                s.valued[j] = true;
                continue;
            }
            const float v = asked.at(col, level);
            s.readout->addSample(k, j, p, v, v);
            if (v == Const::FMISS) continue;
            drawValue(plot, pt, v, p - 50 <= 50);
            s.valued[j] = true;
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

// One line on how the drawing went: the columns drawn, and those skipped with the reason.
// Columns whose soundings gave no value where the others did are counted here as well.
void UpaXSectPlot::printSummary(Section& s) const {
    bool any = false;
    for (int j = 0; j < s.num; ++j) any = any || s.valued[j];
    for (int j = 0; any && j < s.num; ++j)
        if (s.has_data[j] && !s.valued[j])
            s.skipped.push_back(std::string(s.labels.getString(j) ? s.labels.getString(j) : "") +
                                " (no data at the levels drawn)");
    std::string line;
    for (const std::string& k : s.skipped) line += (line.empty() ? "; skipped " : ", ") + k;
    const int drawn = s.total - static_cast<int>(s.skipped.size());
    Hyx::outMessage(Hyx::WARN, "UpaXSectPlot::draw: %d of %d columns drawn%s\n",
                    drawn > 0 ? drawn : 0, s.total, line.c_str());
}

} // namespace HYX
