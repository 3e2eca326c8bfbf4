// The table of standard options and their groups.
#include "HYX/HyxResrc.h"

#include "HYX/ResrcDBList.h"

#include <array>
#include <cstddef>
#include <initializer_list>

namespace HYX {

namespace {

struct Option {
    const char* name;
    const char* env;
    const char* cmdln; // null: positional
    const char* help;
};

// Where a help line names another flag than the short option (color_cgrid, color_sound),
// the short option is the one matched on the command line.
constexpr std::array<Option, HyxResrc::NUM_OPTIONS> OPTIONS = {{
    {"background", "hyxback", "bg", "-bg color    Background color"},                          // 0
    {"calibration", "hyxcalib", "ca", "-ca cal      Calibration data"},                        // 1
    {"city_file", "hyxcity", "cf", "-cf file     City database file"},                         // 2
    {"color_cgrid", "hyxclrcgrid", "cocg", "-cogr color  Grid color for fill plots"},          // 3
    {"color_clabel", "hyxclrclab", "cocl", "-cocl color  Contour label color for fill plots"}, // 4
    {"color_cmap", "hyxclrcmap", "cocm", "-cocm color  Map color for fill plots"},             // 5
    {"color_cont", "hyxclrcont", "coco", "-coco color  Contour line color"},                   // 6
    {"color_data", "hyxclrdat", "cod", "-cod color   Data color and attribs"},                 // 7
    {"color_fill", "hyxclrfill", "cof", "-cof clr...  Fill colors and attribs"},               // 8
    {"color_front", "hyxclrfront", "cofr", "-cofr clr... Front colors and attribs"},           // 9
    {"color_grid", "hyxclrgrid", "cog", "-cog color  Grid color"},                             // 10
    {"color_label", "hyxclrlab", "cola", "-cola color  Label color"},                          // 11
    {"color_line", "hyxclrln", "coln", "-coln color  Lat-lon line color"},                     // 12
    {"color_map", "hyxclrmap", "com", "-com color   Map color and attribs"},                   // 13
    {"color_sound", "hyxclrsnd", "cosd", "-codf clr... Parcel sounding color"},                // 14
    {"color_table", "hyxclrtbl", "ct", "-ct files... Color table file"},                       // 15
    {"color_text", "hyxclrtxt", "cot", "-cot color   Text color and attribs"},                 // 16
    {"color_watch", "hyxclrwatch", "cowa", "-cowa clr... Watch box colors"},                   // 17
    {"con_base", "hyxconbase", "cb", "-cb base     Contour base value"},                       // 18
    {"con_path", "hyxcpath", "cp", "-cp path     Converted data path"},                        // 19
    {"con_interval", "hyxconint", "ci", "-ci intrvl   Contour interval"},                      // 20
    {"current", "hyxcurrent", "cu", "-cu [hour]   Currency of input data"},                    // 21
    {"data_path", "hyxdpath", "dp", "-dp path     Data path"},                                 // 22
    {"device", "hyxdevice", "de", "-de device   Device type and params"},                      // 23
    {"draw", "hyxdraw", "dr", "-dr types... Draw these types"},                                // 24
    {"file_path", "hyxfpath", "fp", "-fp path     File path"},                                 // 25
    {"filename", "hyxfilenm", nullptr, "filenames... Filenames"},                              // 26
    {"font_list", "hyxfont", "fl", "-fl list     List of usable fonts"},                       // 27
    {"format", "hyxformat", "fm", "-fm format   Formats"},                                     // 28
    {"geometry", "hyxgeom", "ge", "-ge geometry Window geometry"},                             // 29
    {"grid_domain", "hyxgrddom", "gd", "-gd domain   Grid domain"},                            // 30
    {"grid_path", "hyxgpath", "gp", "-gp path     Gridpath"},                                  // 31
    {"grid_num", "hyxgrdnum", "gn", "-gn num      Gridnumber"},                                // 32
    {"grid_type", "hyxgrdtype", "gt", "-gt type     Gridtype"},                                // 33
    {"help", "hyxhelp", "h", "-h           Print help"},                                       // 34
    {"hour", "hyxhour", "ho", "-ho [hour]   Use specific hour"},                               // 35
    {"icon", "hyxicon", "ic", "-ic          Specify window icon mode"},                        // 36
    {"identifier", "hyxident", "id", "-id ident    Specify the station ID"},                   // 37
    {"image_path", "hyxipath", "ip", "-ip path     Image path"},                               // 38
    {"in_file", "hyxinfile", "if", "-if files    Input file type"},                            // 39
    {"input", "hyxin", "in", "-in type     Input type"},                                       // 40
    {"inter", "hyxinter", "it", "-it          Run in interactive mode"},                       // 41
    {"label", "hyxlabel", "la", "-la label... Plot these labels"},                             // 42
    {"level", "hyxlevel", "le", "-le level    Vertical level"},                                // 43
    {"log_file", "hyxlog", "lf", "-lf file     Log file name"},                                // 44
    {"logo", "hyxlogo", "lo", "-lo logo     Logo overlay"},                                    // 45
    {"map_file", "hyxmap", "mf", "-mf files    Map files"},                                    // 46
    {"message", "hyxmess", "me", "-me level    Message level"},                                // 47
    {"model", "hyxmodel", "mo", "-mo type     Model type"},                                    // 48
    {"model_path", "hyxmpath", "mp", "-mp path     Model path"},                               // 49
    {"name_conv", "hyxname", "nc", "-nc file     Name convention file"},                       // 50
    {"num_hour", "hyxnumhour", "nh", "-nh [hour]   Number of hours to use"},                   // 51
    {"object_param", "hyxobject", "oa",
     "-oa smooth[,radinf,pass,conv,min] Specifies objective analysis params"},        // 52
    {"out_file", "hyxoutfile", "of", "-of files    Output file type"},                // 53
    {"output", "hyxout", "ou", "-ou type     Output type"},                           // 54
    {"parameter", "hyxparam", "pa", "-pa param... Program parameters"},               // 55
    {"plot_domain", "hyxpltdom", "pd", "-pd domain   Plot domain"},                   // 56
    {"plot_range", "hyxrange", "ra", "-ra range    Plot ranges"},                     // 57
    {"plot_scale", "hyxscale", "sc", "-sc scale    Plot scale factor"},               // 58
    {"plot_type", "hyxplot", "pl", "-pl type     Plot type"},                         // 59
    {"product", "hyxproduct", "ph", "-ph prod     Product header"},                   // 60
    {"prod_file", "hyxprodfile", "pf", "-pf file     Product file used for ingest"},  // 61
    {"raw_path", "hyxrpath", "rp", "-rp path     Raw path"},                          // 62
    {"sat_path", "hyxspath", "sp", "-sp path     Satellite path"},                    // 63
    {"stat_prior", "hyxprior", "pr", "-pr prior    Station priority"},                // 64
    {"text_path", "hyxtpath", "tp", "-tp path     Text path"},                        // 65
    {"time", "hyxtime", "ft", "-ft time     Forecast time"},                          // 66
    {"timezone", "hyxtz", "tz", "-tz zone     Time zone"},                            // 67
    {"title", "hyxtitle", "ti", "-ti title    Window title"},                         // 68
    {"type", "hyxtype", "ty", "-ty type     Data type"},                              // 69
    {"variable", "hyxvar", "va", "-va var...   Type of data to plot"},                // 70
    {"var_file", "hyxvarfile", "vf", "-vf file     Name of variable file to search"}, // 71
    {"watch_path", "hyxwpath", "wp", "-wp path     Watch path"},                      // 72
}};

struct Group {
    int id;
    std::initializer_list<int> members;
};

const Group GROUPS[] = {
    {73, {34, 41, 47}},                             // help, inter, message
    {74, {25, 22, 19, 31, 62, 38, 72, 65, 49, 63}}, // file_path ... sat_path
    {75, {50, 39, 53, 67}},                         // name_conv, in_file, out_file, timezone
    {76, {21, 35, 51}},                             // current, hour, num_hour
    {77, {2, 64}},                                  // city_file, stat_prior
    {78, {40, 54}},                                 // input, output
    {79, {32, 33}},                                 // grid_num, grid_type
    {80, {56, 30, 64}},                             // plot_domain, grid_domain, stat_prior
    {81, {2, 46}},                                  // city_file, map_file
    {82, {59, 58, 28, 55, 24, 42}},                 // plot_type ... label
    {83, {27, 15, 16, 7, 8, 13, 10, 11, 12}},       // font_list ... color_line
    {84, {5, 6, 4}},                                // color_cmap, color_cont, color_clabel
    {85, {37}},                                     // identifier
    {86, {52}},                                     // object_param
    {87, {20, 18}},                                 // con_interval, con_base
    {88, {23, 68, 36, 0, 29, 45}},                  // device, title, icon, background, ...
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
