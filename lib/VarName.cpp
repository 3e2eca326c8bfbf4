// Variable name look-ups through the variable table and its cache.
#include "HYX/VarName.h"

#include "HYX/File.h"
#include "HYX/FileCache.h"
#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/LineTool.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"
#include "HYX/Variable.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace HYX {

namespace {

// The index field: up to five integers separated by commas.
void parseIndices(const char* s, int* ind) {
    const char* p = s;
    for (int i = 0; i < VarNameItem::max_ind; ++i) {
        char* end = nullptr;
        errno = 0;
        const long v = std::strtol(p, &end, 10);
        if (end == p || errno == ERANGE || v < INT_MIN || v > INT_MAX) return;
        ind[i] = static_cast<int>(v);
        if (*end != ',') return;
        p = end + 1;
    }
}

} // namespace

// The rows of the table of the database directory, or null when it cannot be read. Most
// look-ups of a variable list are of names that no row holds: the rows are kept in memory.
std::shared_ptr<const std::vector<VarNameItem>> VarName::rows() {
    static FileCache<std::vector<VarNameItem>> tables([](File& f) {
        std::vector<VarNameItem> all;
        VarNameItem row;
        for (int r; (r = readRow(f, row)) >= 0;)
            if (r == 1) all.push_back(row);
        return all;
    });
    String path;
    FileTool::addPath(Hyx::getDatabasePath(), table, path);
    return tables.get(path.get());
}

void VarName::init() {
    cur_num = 0;
    for (auto& v : vname) v.init();
    table_rows.reset();
}

void VarName::touch(int slot) { vname[slot].num = cur_num++; }

int VarName::find(int ind, const char* abbr, bool nocase) const {
    const bool by_abbr = StrLib::valid(abbr);
    for (int i = 0; i < static_cast<int>(vname.size()); ++i) {
        const VarNameItem& v = vname[i];
        if (v.num == Const::MISS) continue;
        if (by_abbr ? (nocase ? StrLib::iequal(v.abbr, abbr) : StrLib::equal(v.abbr, abbr))
                    : (ind != Const::MISS && v.ind[0] == ind))
            return i;
    }
    return -1;
}

int VarName::lookup(int ind, const char* abbr) {
    const int k = find(ind, abbr, false);
    if (k >= 0) {
        touch(k);
        return k;
    }
    return searchFile(ind, abbr);
}

int VarName::readRow(File& f, VarNameItem& item) {
    char line[line_len + 1];
    if (LineTool::getLine(f, line, sizeof line) < 0) return -1;
    if (line[0] == '#') return 0;
    char idx[30], abbr[10], name[50];
    const int n = std::sscanf(line, "%29s %9s %49[^\n]", idx, abbr, name);
    if (n < 2) return 0;
    item.init();
    parseIndices(idx, item.ind);
    item.setAbbr(abbr);
    if (n == 3) {
        StrLib::trimWS(name);
        item.setName(name);
    }
    return 1;
}

int VarName::searchFile(int ind, const char* abbr) {
    const bool by_abbr = StrLib::valid(abbr);
    if (!by_abbr && ind == Const::MISS) return -1;
    if (vname.empty()) vname.resize(max_vname);
    // The first free slot, else the one used longest ago.
    int slot = 0;
    for (int i = 0; i < max_vname; ++i) {
        if (vname[i].num == Const::MISS) {
            slot = i;
            break;
        }
        if (vname[i].num < vname[slot].num) slot = i;
    }
    if (!table_rows) table_rows = rows();
    const auto all = table_rows;
    if (!all) {
        String path;
        FileTool::addPath(Hyx::getDatabasePath(), table, path);
        Hyx::outWarning("VarName: Unable to open file: %s\n", path.get());
        return -1;
    }
    for (const VarNameItem& row : *all) {
        if (by_abbr ? StrLib::equal(row.abbr, abbr) : row.ind[0] == ind) {
            vname[slot] = row;
            touch(slot);
            return slot;
        }
    }
    return -1;
}

VarNameItem VarName::searchFile(const char* abbr) {
    VarNameItem row;
    if (!StrLib::valid(abbr)) return row;
    if (const auto all = rows())
        for (const VarNameItem& r : *all)
            if (StrLib::equal(r.abbr, abbr)) return r;
    return row;
}

int VarName::get(const char* abbr, Variable& v) {
    v.init();
    const int k = lookup(Const::MISS, abbr);
    if (k < 0) {
        v.setAbbr(abbr);
        return 0;
    }
    v.setInd(vname[k].ind[0]);
    v.setAbbr(vname[k].abbr);
    v.setName(vname[k].name);
    return 1;
}

int VarName::get(int ind, Variable& v) {
    v.init();
    const int k = lookup(ind, nullptr);
    if (k < 0) return 0;
    v.setInd(vname[k].ind[0]);
    v.setAbbr(vname[k].abbr);
    v.setName(vname[k].name);
    return 1;
}

int VarName::get(const char* abbr, VarNameItem& item) {
    const int k = lookup(Const::MISS, abbr);
    if (k < 0) {
        item.init();
        item.setAbbr(abbr);
        return 0;
    }
    item = vname[k];
    return 1;
}

int VarName::get(int ind, VarNameItem& item) {
    const int k = lookup(ind, nullptr);
    if (k < 0) {
        item.init();
        return 0;
    }
    item = vname[k];
    return 1;
}

const char* VarName::get(int ind) {
    const int k = lookup(ind, nullptr);
    return k < 0 ? "" : vname[k].abbr;
}

int VarName::get(int ind, String& abbr) {
    abbr.copy(get(ind));
    return abbr.valid() ? 1 : 0;
}

int VarName::get(const char* abbr) {
    // The cache is searched ignoring case, the table exactly.
    int k = find(Const::MISS, abbr, true);
    if (k >= 0)
        touch(k);
    else
        k = searchFile(Const::MISS, abbr);
    if (k < 0 || vname[k].ind[0] == Const::MISS) return -1;
    return vname[k].ind[0];
}

int VarName::makeLabel(const char* abbr, const char* units, String& label) {
    const VarNameItem item = searchFile(abbr);
    label.copy(item.name);
    if (StrLib::valid(units)) {
        label.append(" [");
        label.append(units);
        label.append("]");
    }
    return 1;
}

} // namespace HYX
