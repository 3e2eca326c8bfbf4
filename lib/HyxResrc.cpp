// The table of standard options and their groups.
#include "HYX/HyxResrc.h"

#include "HYX/ResrcDBList.h"

#include <array>
#include <cstddef>
#include <initializer_list>

namespace HYX {

namespace {

using H = HyxResrc;

struct Option {
    H::Id id;
    const char* name;
    const char* env;
    const char* cmdln; // null: positional
    const char* help;
};

// Where a help line names another flag than the short option (color_cgrid, color_sound),
// the short option is the one matched on the command line.
constexpr std::array<Option, H::NUM_OPTIONS> OPTIONS = {{
    {H::BACKGROUND, "background", "hyxback", "bg", "-bg color    Background color"},
    {H::CALIBRATION, "calibration", "hyxcalib", "ca", "-ca cal      Calibration data"},
    {H::CITY_FILE, "city_file", "hyxcity", "cf", "-cf file     City database file"},
    {H::COLOR_CGRID, "color_cgrid", "hyxclrcgrid", "cocg",
     "-cogr color  Grid color for fill plots"},
    {H::COLOR_CLABEL, "color_clabel", "hyxclrclab", "cocl",
     "-cocl color  Contour label color for fill plots"},
    {H::COLOR_CMAP, "color_cmap", "hyxclrcmap", "cocm", "-cocm color  Map color for fill plots"},
    {H::COLOR_CONT, "color_cont", "hyxclrcont", "coco", "-coco color  Contour line color"},
    {H::COLOR_DATA, "color_data", "hyxclrdat", "cod", "-cod color   Data color and attribs"},
    {H::COLOR_FILL, "color_fill", "hyxclrfill", "cof", "-cof clr...  Fill colors and attribs"},
    {H::COLOR_FRONT, "color_front", "hyxclrfront", "cofr", "-cofr clr... Front colors and attribs"},
    {H::COLOR_GRID, "color_grid", "hyxclrgrid", "cog", "-cog color  Grid color"},
    {H::COLOR_LABEL, "color_label", "hyxclrlab", "cola", "-cola color  Label color"},
    {H::COLOR_LINE, "color_line", "hyxclrln", "coln", "-coln color  Lat-lon line color"},
    {H::COLOR_MAP, "color_map", "hyxclrmap", "com", "-com color   Map color and attribs"},
    {H::COLOR_SOUND, "color_sound", "hyxclrsnd", "cosd", "-codf clr... Parcel sounding color"},
    {H::COLOR_TABLE, "color_table", "hyxclrtbl", "ct", "-ct files... Color table file"},
    {H::COLOR_TEXT, "color_text", "hyxclrtxt", "cot", "-cot color   Text color and attribs"},
    {H::COLOR_WATCH, "color_watch", "hyxclrwatch", "cowa", "-cowa clr... Watch box colors"},
    {H::CON_BASE, "con_base", "hyxconbase", "cb", "-cb base     Contour base value"},
    {H::CON_PATH, "con_path", "hyxcpath", "cp", "-cp path     Converted data path"},
    {H::CON_INTERVAL, "con_interval", "hyxconint", "ci", "-ci intrvl   Contour interval"},
    {H::CURRENT, "current", "hyxcurrent", "cu", "-cu [hour]   Currency of input data"},
    {H::DATA_PATH, "data_path", "hyxdpath", "dp", "-dp path     Data path"},
    {H::DEVICE, "device", "hyxdevice", "de", "-de device   Device type and params"},
    {H::DRAW, "draw", "hyxdraw", "dr", "-dr types... Draw these types"},
    {H::FILE_PATH, "file_path", "hyxfpath", "fp", "-fp path     File path"},
    {H::FILENAME, "filename", "hyxfilenm", nullptr, "filenames... Filenames"},
    {H::FONT_LIST, "font_list", "hyxfont", "fl", "-fl list     List of usable fonts"},
    {H::FORMAT, "format", "hyxformat", "fm", "-fm format   Formats"},
    {H::GEOMETRY, "geometry", "hyxgeom", "ge", "-ge geometry Window geometry"},
    {H::GRID_DOMAIN, "grid_domain", "hyxgrddom", "gd", "-gd domain   Grid domain"},
    {H::GRID_PATH, "grid_path", "hyxgpath", "gp", "-gp path     Gridpath"},
    {H::GRID_NUM, "grid_num", "hyxgrdnum", "gn", "-gn num      Gridnumber"},
    {H::GRID_TYPE, "grid_type", "hyxgrdtype", "gt", "-gt type     Gridtype"},
    {H::HELP, "help", "hyxhelp", "h", "-h           Print help"},
    {H::HOUR, "hour", "hyxhour", "ho", "-ho [hour]   Use specific hour"},
    {H::ICON, "icon", "hyxicon", "ic", "-ic          Specify window icon mode"},
    {H::IDENTIFIER, "identifier", "hyxident", "id", "-id ident    Specify the station ID"},
    {H::IMAGE_PATH, "image_path", "hyxipath", "ip", "-ip path     Image path"},
    {H::IN_FILE, "in_file", "hyxinfile", "if", "-if files    Input file type"},
    {H::INPUT, "input", "hyxin", "in", "-in type     Input type"},
    {H::INTER, "inter", "hyxinter", "it", "-it          Run in interactive mode"},
    {H::LABEL, "label", "hyxlabel", "la", "-la label... Plot these labels"},
    {H::LEVEL, "level", "hyxlevel", "le", "-le level    Vertical level"},
    {H::LOG_FILE, "log_file", "hyxlog", "lf", "-lf file     Log file name"},
    {H::LOGO, "logo", "hyxlogo", "lo", "-lo logo     Logo overlay"},
    {H::MAP_FILE, "map_file", "hyxmap", "mf", "-mf files    Map files"},
    {H::MESSAGE, "message", "hyxmess", "me", "-me level    Message level"},
    {H::MODEL, "model", "hyxmodel", "mo", "-mo type     Model type"},
    {H::MODEL_PATH, "model_path", "hyxmpath", "mp", "-mp path     Model path"},
    {H::NAME_CONV, "name_conv", "hyxname", "nc", "-nc file     Name convention file"},
    {H::NUM_HOUR, "num_hour", "hyxnumhour", "nh", "-nh [hour]   Number of hours to use"},
    {H::OBJECT_PARAM, "object_param", "hyxobject", "oa",
     "-oa smooth[,radinf,pass,conv,min] Specifies objective analysis params"},
    {H::OUT_FILE, "out_file", "hyxoutfile", "of", "-of files    Output file type"},
    {H::OUTPUT, "output", "hyxout", "ou", "-ou type     Output type"},
    {H::PARAMETER, "parameter", "hyxparam", "pa", "-pa param... Program parameters"},
    {H::PLOT_DOMAIN, "plot_domain", "hyxpltdom", "pd", "-pd domain   Plot domain"},
    {H::PLOT_RANGE, "plot_range", "hyxrange", "ra", "-ra range    Plot ranges"},
    {H::PLOT_SCALE, "plot_scale", "hyxscale", "sc", "-sc scale    Plot scale factor"},
    {H::PLOT_TYPE, "plot_type", "hyxplot", "pl", "-pl type     Plot type"},
    {H::PRODUCT, "product", "hyxproduct", "ph", "-ph prod     Product header"},
    {H::PROD_FILE, "prod_file", "hyxprodfile", "pf", "-pf file     Product file used for ingest"},
    {H::RAW_PATH, "raw_path", "hyxrpath", "rp", "-rp path     Raw path"},
    {H::SAT_PATH, "sat_path", "hyxspath", "sp", "-sp path     Satellite path"},
    {H::STAT_PRIOR, "stat_prior", "hyxprior", "pr", "-pr prior    Station priority"},
    {H::TEXT_PATH, "text_path", "hyxtpath", "tp", "-tp path     Text path"},
    {H::TIME, "time", "hyxtime", "ft", "-ft time     Forecast time"},
    {H::TIMEZONE, "timezone", "hyxtz", "tz", "-tz zone     Time zone"},
    {H::TITLE, "title", "hyxtitle", "ti", "-ti title    Window title"},
    {H::TYPE, "type", "hyxtype", "ty", "-ty type     Data type"},
    {H::VARIABLE, "variable", "hyxvar", "va", "-va var...   Type of data to plot"},
    {H::VAR_FILE, "var_file", "hyxvarfile", "vf", "-vf file     Name of variable file to search"},
    {H::WATCH_PATH, "watch_path", "hyxwpath", "wp", "-wp path     Watch path"},
}};

// Inserting or dropping a row would renumber every option after it.
constexpr bool rowsInOrder() {
    for (size_t i = 0; i < OPTIONS.size(); ++i)
        if (OPTIONS[i].id != static_cast<int>(i)) return false;
    return true;
}
static_assert(rowsInOrder(), "each option row sits at its own number");

struct Group {
    H::Id id;
    std::initializer_list<H::Id> members;
};

const Group GROUPS[] = {
    {H::GROUP_PROGRAM, {H::HELP, H::INTER, H::MESSAGE}},
    {H::GROUP_PATHS,
     {H::FILE_PATH, H::DATA_PATH, H::CON_PATH, H::GRID_PATH, H::RAW_PATH, H::IMAGE_PATH,
      H::WATCH_PATH, H::TEXT_PATH, H::MODEL_PATH, H::SAT_PATH}},
    {H::GROUP_NAMING, {H::NAME_CONV, H::IN_FILE, H::OUT_FILE, H::TIMEZONE}},
    {H::GROUP_TIME, {H::CURRENT, H::HOUR, H::NUM_HOUR}},
    {H::GROUP_STATIONS, {H::CITY_FILE, H::STAT_PRIOR}},
    {H::GROUP_IO, {H::INPUT, H::OUTPUT}},
    {H::GROUP_GRID, {H::GRID_NUM, H::GRID_TYPE}},
    {H::GROUP_DOMAIN, {H::PLOT_DOMAIN, H::GRID_DOMAIN, H::STAT_PRIOR}},
    {H::GROUP_MAPS, {H::CITY_FILE, H::MAP_FILE}},
    {H::GROUP_PLOT, {H::PLOT_TYPE, H::PLOT_SCALE, H::FORMAT, H::PARAMETER, H::DRAW, H::LABEL}},
    {H::GROUP_COLORS,
     {H::FONT_LIST, H::COLOR_TABLE, H::COLOR_TEXT, H::COLOR_DATA, H::COLOR_FILL, H::COLOR_MAP,
      H::COLOR_GRID, H::COLOR_LABEL, H::COLOR_LINE}},
    {H::GROUP_FILL_COLORS, {H::COLOR_CMAP, H::COLOR_CONT, H::COLOR_CLABEL}},
    {H::GROUP_IDENT, {H::IDENTIFIER}},
    {H::GROUP_ANALYSIS, {H::OBJECT_PARAM}},
    {H::GROUP_CONTOUR, {H::CON_INTERVAL, H::CON_BASE}},
    {H::GROUP_WINDOW, {H::DEVICE, H::TITLE, H::ICON, H::BACKGROUND, H::GEOMETRY, H::LOGO}},
};

void addOption(ResrcDBList& list, int id) {
    const Option& o = OPTIONS[static_cast<size_t>(id)];
    list.add(o.name, o.env, o.cmdln, o.help);
}

} // namespace

int HyxResrc::add(ResrcDBList& list, int id) {
    if (id >= 0 && id < NUM_OPTIONS) {
        addOption(list, id);
        return 1;
    }
    for (const Group& g : GROUPS)
        if (g.id == id)
            for (int m : g.members) addOption(list, m);
    return 1;
}

} // namespace HYX
