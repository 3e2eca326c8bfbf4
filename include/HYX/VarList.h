// A list of variables to plot (VarSpec items) made from a variable-list text such as
// "temp[C,cf]", "wnd<uwnd,vwnd>" or "grp{temp,dewp}[C,ln]", with names expanded
// through a variable file.
#ifndef HYX_VARLIST_H
#define HYX_VARLIST_H

#include "HYX/Export.h"
#include "HYX/String.h"
#include "HYX/VarSpec.h"

#include <vector>

namespace HYX {

class Unit;
class VarFileData;

class HYX_API VarList {
public:
    static constexpr int init_size = 40;
    static constexpr int grow_size = 10;
    static constexpr int max_nest = 10;
    static constexpr int max_token = 299;
    static constexpr int max_pass = 10;
    // No drawing needs more; it stops runaway texts and definitions.
    static constexpr int max_items = 1000;

    struct VarListItem {
        int layer = 0;
        int dindex = -1;
        VarSpec data;
        void init() {
            layer = 0;
            dindex = -1;
            data.init();
        }
    };

    VarList();
    ~VarList() = default;
    void init();
    int resize(int n);

    // The variable file, looked up in the database directory.
    void setFile(const char* name);
    const char* getFile() const { return varfilename.get() ? varfilename.get() : ""; }
    // The definition of the first entry called name in the variable file.
    int searchFile(const char* name, String& def);
    // Parses a variable-list text into the items; 0 for an empty text or an error.
    int decode(const char* text);
    int decode(const VarFileData& d);
    // Decodes text (or the definition it names) and expands the names.
    static int process(const char* text, VarList& list);

    int getNum() const { return num; }
    int get(int i, VarSpec& s) const;
    const VarSpec* getSpec(int i) const { return valid(i) ? &list[i].data : nullptr; }
    int getType(int i) const { return valid(i) ? list[i].data.type : 0; }
    int getLayer(int i) const { return valid(i) ? list[i].layer : 0; }
    const char* getName(int i) const { return valid(i) ? list[i].data.getVarAbbr() : ""; }
    const char* getUnits(int i) const { return valid(i) ? list[i].data.getUnits() : ""; }
    const char* getFormat(int i) const { return valid(i) ? list[i].data.getFormat() : ""; }
    int getString(int i, String& out) const;
    int setPlot(int i, int p);
    int setDataIndex(int i, int d);
    int getDataIndex(int i) const { return valid(i) ? list[i].dindex : 0; }

    bool isParam(int i) const { return getType(i) == VarSpec::PARAM; }
    bool isVect(int i) const { return getType(i) == VarSpec::VECT; }
    bool isGroup(int i) const { return getType(i) == VarSpec::GROUP; }
    bool isFunction(int i) const { return getType(i) == VarSpec::FUNCTION; }
    bool isPlot(int i) const { return plotOf(i) == VarSpec::PLOT || plotOf(i) == VarSpec::DATA; }
    bool isData(int i) const { return plotOf(i) == VarSpec::DATA; }
    bool isContour(int i) const { return plotOf(i) == VarSpec::CONTOUR; }
    bool isVector(int i) const { return plotOf(i) == VarSpec::VECTOR; }
    bool isMap(int i) const { return plotOf(i) == VarSpec::MAP; }
    bool isPanel(int i) const { return plotOf(i) == VarSpec::PANEL; }
    bool isFillContour(int i) const;

    // The same at the cursor.
    int getType() const { return getType(ind); }
    int getLayer() const { return getLayer(ind); }
    const char* getName() const { return getName(ind); }
    const char* getUnits() const { return getUnits(ind); }
    const char* getFormat() const { return getFormat(ind); }
    bool isParam() const { return isParam(ind); }
    bool isVect() const { return isVect(ind); }
    bool isGroup() const { return isGroup(ind); }
    bool isFunction() const { return isFunction(ind); }
    bool isPlot() const { return isPlot(ind); }
    bool isData() const { return isData(ind); }
    bool isContour() const { return isContour(ind); }
    bool isVector() const { return isVector(ind); }
    bool isMap() const { return isMap(ind); }
    bool isPanel() const { return isPanel(ind); }
    bool isFillContour() const { return isFillContour(ind); }

    void rewind() { ind = 0; }
    int next() { return ind < num ? ++ind : ind; }
    bool done() const { return ind >= num; }

    void print() const;

private:
    // An empty list with room for that many items: the definitions expanded into a list are
    // read into lists that grow as they need.
    explicit VarList(int room);
    bool valid(int i) const { return i >= 0 && i < num; }
    int plotOf(int i) const { return valid(i) ? list[i].data.plot : -1; }
    // Appends an item made from a token; 0 when the list is full.
    int add(const std::string& token, int type, int layer);
    void applyOptions(const std::string& token, int target);
    // What one expansion reads once: the variable file, its decoded definitions and the
    // unit pairs asked.
    struct Expansion;
    const VarList* definition(const VarFileData* d, Expansion& x);
    // Appends the items of def that stand in the place of item i.
    void expand(const VarListItem& item, const VarList& def, Unit& unit,
                std::vector<VarListItem>& out) const;

    std::vector<VarListItem> list;
    int num = 0;
    int max = 0;
    int ind = 0;
    int plot = 0;
    char title[80];
    String varfilename;
    char delim = 0;
    char nest[max_nest];
    int n = 0;
    VarName names; // shared name table of the items decoded here
};

} // namespace HYX

#endif
