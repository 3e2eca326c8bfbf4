// The table of standard options shared by the programs of the suite: single options by
// number (0 to 72) and groups of them (73 to 88).
#ifndef HYX_HYXRESRC_H
#define HYX_HYXRESRC_H

#include "HYX/Export.h"

namespace HYX {

class ResrcDBList;

class HYX_API HyxResrc {
public:
    // Single options (0 to 72), then groups (73 to 88). The values are the suite's option
    // numbers: HyxResrc::add(list, HyxResrc::IDENTIFIER).
    enum Id : int {
        BACKGROUND = 0,
        CALIBRATION,
        CITY_FILE,
        COLOR_CGRID,
        COLOR_CLABEL,
        COLOR_CMAP,
        COLOR_CONT,
        COLOR_DATA,
        COLOR_FILL,
        COLOR_FRONT,
        COLOR_GRID,
        COLOR_LABEL,
        COLOR_LINE,
        COLOR_MAP,
        COLOR_SOUND,
        COLOR_TABLE,
        COLOR_TEXT,
        COLOR_WATCH,
        CON_BASE,
        CON_PATH,
        CON_INTERVAL,
        CURRENT,
        DATA_PATH,
        DEVICE,
        DRAW,
        FILE_PATH,
        FILENAME,
        FONT_LIST,
        FORMAT,
        GEOMETRY,
        GRID_DOMAIN,
        GRID_PATH,
        GRID_NUM,
        GRID_TYPE,
        HELP,
        HOUR,
        ICON,
        IDENTIFIER,
        IMAGE_PATH,
        IN_FILE,
        INPUT,
        INTER,
        LABEL,
        LEVEL,
        LOG_FILE,
        LOGO,
        MAP_FILE,
        MESSAGE,
        MODEL,
        MODEL_PATH,
        NAME_CONV,
        NUM_HOUR,
        OBJECT_PARAM,
        OUT_FILE,
        OUTPUT,
        PARAMETER,
        PLOT_DOMAIN,
        PLOT_RANGE,
        PLOT_SCALE,
        PLOT_TYPE,
        PRODUCT,
        PROD_FILE,
        RAW_PATH,
        SAT_PATH,
        STAT_PRIOR,
        TEXT_PATH,
        TIME,
        TIMEZONE,
        TITLE,
        TYPE,
        VARIABLE,
        VAR_FILE,
        WATCH_PATH,
        NUM_OPTIONS,
        GROUP_PROGRAM = NUM_OPTIONS, // help, inter, message
        GROUP_PATHS,                 // file_path, data_path and the other data paths
        GROUP_NAMING,                // name_conv, in_file, out_file, timezone
        GROUP_TIME,                  // current, hour, num_hour
        GROUP_STATIONS,              // city_file, stat_prior
        GROUP_IO,                    // input, output
        GROUP_GRID,                  // grid_num, grid_type
        GROUP_DOMAIN,                // plot_domain, grid_domain, stat_prior
        GROUP_MAPS,                  // city_file, map_file
        GROUP_PLOT,                  // plot_type, plot_scale, format, parameter, draw, label
        GROUP_COLORS,      // font_list, color_table and the colours of text, data and maps
        GROUP_FILL_COLORS, // color_cmap, color_cont, color_clabel
        GROUP_IDENT,       // identifier
        GROUP_ANALYSIS,    // object_param
        GROUP_CONTOUR,     // con_interval, con_base
        GROUP_WINDOW,      // device, title, icon, background, geometry, logo
        NUM_IDS
    };

    // Appends the option or the members of the group `id` to the list (a member already in
    // the list is added again). Always 1; an unknown id adds nothing.
    static int add(ResrcDBList& list, int id);
};

} // namespace HYX

#endif
