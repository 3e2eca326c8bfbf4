// Variable names: abbreviations, numeric indices and long names from the table
// "variable.lup" of the database directory, looked up through a cache of 40 rows.
#ifndef HYX_VARNAME_H
#define HYX_VARNAME_H

#include "HYX/Export.h"
#include "HYX/VarNameItem.h"

#include <memory>
#include <vector>

namespace HYX {

class File;
class String;
class Variable;

class HYX_API VarName {
public:
    static constexpr int max_vname = 40;
    static constexpr int line_len = 120;
    static constexpr const char* table = "variable.lup";

    VarName() { init(); }
    void init();

    int get(const char* abbr, Variable& v);
    int get(int ind, Variable& v);
    int get(const char* abbr, VarNameItem& item);
    int get(int ind, VarNameItem& item);
    // The abbreviation of an index; the empty text when unknown.
    const char* get(int ind);
    const char* getAbbr(int ind) { return get(ind); }
    int get(int ind, String& abbr);
    // The first index of an abbreviation, or -1.
    int get(const char* abbr);

    // Reads the table into a cache slot until a row matches the abbreviation (when
    // given) or the index; returns the slot or -1.
    int searchFile(int ind, const char* abbr);
    // The row of an abbreviation read straight from the table.
    static VarNameItem searchFile(const char* abbr);
    // The long name of abbr, followed by " [units]" when units are given.
    static int makeLabel(const char* abbr, const char* units, String& label);

private:
    int find(int ind, const char* abbr, bool nocase) const;
    int lookup(int ind, const char* abbr);
    void touch(int slot);
    // Reads the next table row; 1 with a row, 0 for a line that is no row, -1 at the end.
    static int readRow(File& f, VarNameItem& item);
    static std::shared_ptr<const std::vector<VarNameItem>> rows();

    // The cache is allocated on first use, so that unused name tables cost nothing.
    std::vector<VarNameItem> vname;
    int cur_num = 0;
    // The table's rows as this object first read them: the names of one list are looked up
    // in one table, without asking the file system about it for each name.
    std::shared_ptr<const std::vector<VarNameItem>> table_rows;
};

} // namespace HYX

#endif
