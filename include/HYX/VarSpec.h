// One variable to plot: forecast time, level and variable with units, plotting
// options and the plot kind they select, e.g. 12hr:500mb:temp[C,cf].
#ifndef HYX_VARSPEC_H
#define HYX_VARSPEC_H

#include "HYX/Export.h"
#include "HYX/ForeTime.h"
#include "HYX/Level.h"
#include "HYX/VarName.h"
#include "HYX/Variable.h"

namespace HYX {

class String;

class HYX_API VarSpec {
public:
    static constexpr int format_len = 100;

    // Masks for update.
    enum Mask { FORETIME = 1, LEVEL = 2, VAR = 4, FORMAT = 8, ALL = 15 };
    // Item types.
    enum Type { PARAM = 1, VECT = 2, GROUP = 3, FUNCTION = 4, PANEL_ITEM = 5 };
    // Plot kinds.
    enum Plot { NONE = 0, PLOT = 1, DATA = 2, CONTOUR = 3, VECTOR = 4, MAP = 5, PANEL = 6 };

    VarSpec() { init(); }
    explicit VarSpec(const char* s) { decode(s); }

    void init();
    // Reads a variable text: [fore:][level:]var[:units][[units][,options]]; a '+' before
    // the variable marks it final. 0 for a text that cannot be read.
    int decode(const char* s);
    // The same, resolving the variable through the given name table.
    int decode(const char* s, VarName& names);
    int set(const char* s) { return decode(s); }
    void set(const VarSpec& s) { *this = s; }
    void set(const ForeTime& f) { fore = f; }
    void set(const Level& l) { level = l; }
    void set(const Variable& v) { var = v; }
    void setVar(int ind, const char* units);
    void setVar(const char* name, const char* units);
    void setVar(const char* name);
    void setUnits(const char* u) { var.setUnits(u); }
    const char* getUnits() const { return var.getUnits(); }
    // Stores the options and sets the plot kind from them.
    void setFormat(const char* f);
    const char* getFormat() const { return format; }
    // Holds the comma-separated option opt.
    bool hasOption(const char* opt) const;
    void setPlot(int p) { plot = p; }
    int getPlot() const { return plot; }
    void setType(int t) { type = t; }
    int getType() const { return type; }
    void setSource(int s) { source = s; }
    int getSource() const { return source; }
    void setAbs(bool a) { abs = a; }
    bool isAbs() const { return abs; }
    const char* getVarAbbr() const { return var.getAbbr(); }
    const Variable& getVar() const { return var; }
    const ForeTime& getFore() const { return fore; }
    const Level& getLevel() const { return level; }
    int getForeType() const { return fore.getType(); }
    int getLevelType1() const { return level.getType1(); }
    int getForeString(String& out) const { return fore.toString(out); }
    int getLevelString(String& out) const { return level.toString(out); }
    int getForeCode() const { return fore.toCode(); }
    int getLevelTypeCode() const { return level.toTypeCode(); }
    int getLevelCode() const { return level.toLevelCode(); }
    int getVarCode() const { return var.getInd(); }

    void update(const VarSpec& other, int mask);
    void update(const VarSpec& other) { update(other, ALL); }
    void update(const ForeTime& f);
    void update(const Level& l);
    void update(const ForeTime& f, const Level& l);

    // "fore:level:var" in the forms decode reads.
    int toString(String& out) const;
    // Level, variable label and period, e.g. "500mb Temperature [C]".
    int toInfoLabel(String& out) const;
    // The forecast time as a label, e.g. "12 hour".
    int toDateLabel(String& out) const;
    void print() const;
    void printDetails() const;

    int type;
    int source;
    bool abs;
    int plot;
    ForeTime fore;
    Level level;
    Variable var;
    char format[format_len];
    VarName vname;
};

} // namespace HYX

#endif
