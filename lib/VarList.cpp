// Variable lists: the list syntax with groups, vectors, functions and options, and the
// expansion of names through the variable file.
#include "HYX/VarList.h"

#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/StrLib.h"
#include "HYX/Unit.h"
#include "HYX/VarFile.h"
#include "HYX/VarFileData.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

namespace HYX {

namespace {

bool blank(const std::string& s) {
    for (char c : s)
        if (!std::isspace(static_cast<unsigned char>(c))) return false;
    return true;
}

char opener(char c) { return c == '}' ? '{' : (c == ')' ? '(' : '<'); }

// All entries of a variable file, in order.
std::vector<VarFileData> readDefinitions(const char* path) {
    std::vector<VarFileData> defs;
    if (!StrLib::valid(path)) return defs;
    VarFile f(path);
    VarFileData d;
    while (f.isOpen() && f.read(d) == 1) defs.push_back(d);
    return defs;
}

} // namespace

struct VarList::Expansion {
    explicit Expansion(const char* path) : defs(readDefinitions(path)) {
        for (const VarFileData& d : defs)
            if (d.flag == 0) first.emplace(d.name, &d);
    }
    // The first entry called name, or null.
    const VarFileData* find(const char* name) const {
        if (!StrLib::valid(name) || StrLib::length(name) >= VarFileData::name_len) return nullptr;
        const auto it = first.find(name);
        return it == first.end() ? nullptr : it->second;
    }

    const std::vector<VarFileData> defs;
    std::unordered_map<std::string, const VarFileData*> first;
    // A definition met again (a name used in several places, or in its own definition) is
    // not decoded again.
    std::unordered_map<const VarFileData*, std::unique_ptr<VarList>> decoded;
    Unit unit;
    // The definition that replaces each item of a pass, or null.
    std::vector<const VarList*> found;
};

VarList::VarList() : VarList(init_size) {}

VarList::VarList(int room) {
    title[0] = 0;
    std::memset(nest, 0, sizeof nest);
    resize(room);
}

void VarList::init() {
    for (VarListItem& it : list) it.init();
    num = 0;
    ind = 0;
    plot = 0;
    title[0] = 0;
    delim = 0;
    n = 0;
}

int VarList::resize(int size) {
    if (size < 0) return 0;
    list.resize(static_cast<size_t>(size));
    max = size;
    if (num > max) num = max;
    return 1;
}

void VarList::setFile(const char* name) {
    varfilename.clear();
    if (StrLib::valid(name)) FileTool::addPath(Hyx::getDatabasePath(), name, varfilename);
}

int VarList::searchFile(const char* name, String& def) {
    def.clear();
    if (!varfilename.valid()) return 0;
    VarFile f(varfilename.get());
    if (!f.isOpen()) return 0;
    VarFileData d;
    if (!f.search(name, d)) return 0;
    def.copy(d.getData());
    return 1;
}

int VarList::add(const std::string& token, int type, int layer) {
    if (num >= max_items) return -1;
    if (num >= max) resize(max + grow_size);
    VarListItem& it = list[num];
    it.init();
    it.layer = layer;
    const int ok = it.data.decode(token.c_str(), names);
    if (type != VarSpec::PARAM) {
        it.data.type = type;
        it.data.abs = true;
    } else if (!ok) {
        return -2; // an unreadable variable text is left out
    }
    return num++;
}

// Options written after a closed group, vector or function: "[units,format]".
void VarList::applyOptions(const std::string& token, int target) {
    if (target < 0 || target >= num) return;
    VarSpec opt;
    opt.decode(token.c_str(), names);
    VarSpec& t = list[target].data;
    if (StrLib::valid(opt.getUnits())) t.setUnits(opt.getUnits());
    StrLib::copy(t.format, VarSpec::format_len, opt.format);
    if (t.plot == VarSpec::NONE || t.plot == VarSpec::PLOT) t.plot = opt.plot;
    if (t.type != VarSpec::GROUP) return;
    for (int i = target + 1; i < num; ++i) {
        VarSpec& m = list[i].data;
        const std::string f = std::string(m.format) + "," + opt.format;
        m.setFormat(f.c_str());
    }
}

int VarList::decode(const char* text) {
    init();
    if (!StrLib::valid(text)) return 0;
    Hyx::outDebug(3, "Decode: %s\n", text);
    const size_t len = std::strlen(text);
    size_t start = 0;
    int depth = 0;
    std::vector<int> open_items; // items opened by '{', '(' and '<', innermost last
    int closed = -1;             // the item whose delimiter closed last
    bool pending = false;        // a '[' right after a close: options of that item
    bool full = false;

    auto token = [&](size_t end) {
        std::string t;
        for (size_t k = start; k < end && t.size() < static_cast<size_t>(max_token); ++k)
            if (text[k] != '\\') t += text[k];
        return t;
    };
    auto endToken = [&](size_t end) {
        const std::string t = token(end);
        if (pending)
            applyOptions(t, closed);
        else if (!blank(t) && add(t, VarSpec::PARAM, depth) == -1)
            full = true;
        pending = false;
    };

    for (size_t i = 0; i < len && !full; ++i) {
        const char c = text[i];
        const bool in_brackets = n > 0 && nest[n - 1] == '[';
        if (c == '[') {
            if (n >= max_nest) {
                Hyx::outWarning("VarList::decode error, too deeply nested at %s\n", text + i);
                init();
                return 0;
            }
            if (!in_brackets && i == start && i > 0 && std::strchr("})>", text[i - 1]))
                pending = true;
            nest[n++] = c;
            delim = c;
        } else if (c == ']') {
            if (!in_brackets) {
                Hyx::outWarning("VarList::decode error, unexpected ] at %s\n", text + i);
                init();
                return 0;
            }
            --n;
            delim = c;
        } else if (in_brackets) {
            continue;
        } else if (c == '{' || c == '(' || c == '<') {
            if (n >= max_nest) {
                Hyx::outWarning("VarList::decode error, too deeply nested at %s\n", text + i);
                init();
                return 0;
            }
            const int type =
                c == '{' ? VarSpec::GROUP : (c == '(' ? VarSpec::FUNCTION : VarSpec::VECT);
            const int k = add(token(i), type, depth);
            if (k < 0) {
                full = true;
                break;
            }
            open_items.push_back(k);
            nest[n++] = c;
            delim = c;
            ++depth;
            start = i + 1;
            pending = false;
        } else if (c == '}' || c == ')' || c == '>') {
            if (n == 0 || nest[n - 1] != opener(c)) {
                Hyx::outWarning("VarList::decode error, unexpected %c at %s\n", c, text + i);
                init();
                return 0;
            }
            endToken(i);
            --n;
            --depth;
            closed = open_items.back();
            open_items.pop_back();
            delim = c;
            start = i + 1;
        } else if (c == ',') {
            endToken(i);
            delim = c;
            start = i + 1;
        }
    }
    if (full) {
        Hyx::outWarning("VarList::decode: more than %d variables, the rest is left out\n",
                        max_items);
        return 1;
    }
    if (n == 0)
        endToken(len);
    else
        Hyx::outWarning("VarList::decode: missing closing %c in %s\n",
                        nest[n - 1] == '['
                            ? ']'
                            : (nest[n - 1] == '{' ? '}' : (nest[n - 1] == '(' ? ')' : '>')),
                        text);
    return 1;
}

int VarList::decode(const VarFileData& d) { return decode(d.getData()); }

// The definition d decoded, read with this list's name table so that names stay cached;
// null when it has no items.
const VarList* VarList::definition(const VarFileData* d, Expansion& x) {
    if (!d || !StrLib::valid(d->getData())) return nullptr;
    std::unique_ptr<VarList>& slot = x.decoded[d];
    if (!slot) {
        slot.reset(new VarList(0));
        std::swap(slot->names, names);
        slot->decode(d->getData());
        std::swap(slot->names, names);
    }
    return slot->num > 0 ? slot.get() : nullptr;
}

void VarList::expand(const VarListItem& base, const VarList& def, Unit& unit,
                     std::vector<VarListItem>& out) const {
    const int rplot = base.data.plot;
    const std::string runits = base.data.getUnits();
    const std::string rformat = base.data.getFormat();
    const std::string abbr = base.data.getVarAbbr();
    const int first_layer = def.list[0].layer;
    for (int j = 0; j < def.num; ++j) {
        VarSpec d = def.list[j].data;
        // A name defined as itself stops there.
        if (abbr == d.getVarAbbr()) d.abs = true;
        out.push_back(base);
        VarListItem& it = out.back();
        it.data.update(d, VarSpec::ALL);
        it.layer = base.layer + def.list[j].layer;
        const bool first = j == 0;
        const bool deeper = def.list[j].layer > first_layer;
        // The user's units stay where they convert (or where the definition has none).
        const char* nu = it.data.getUnits();
        if (!runits.empty()) {
            if ((first || deeper) && unit.valid(runits.c_str(), nu))
                it.data.setUnits(runits.c_str());
            else if (first && !StrLib::valid(nu))
                it.data.setUnits(runits.c_str());
        }
        // The user's options come after the definition's.
        if (!rformat.empty() && (first || deeper)) {
            const std::string f = std::string(it.data.getFormat()) + "," + rformat;
            it.data.setFormat(f.c_str());
        }
        if (def.num == 1 && it.data.plot == VarSpec::PLOT) it.data.plot = rplot;
    }
}

int VarList::process(const char* text, VarList& vl) {
    Hyx::outDebug(5, "-----PROCESS %s ------\n", text ? text : "");
    Expansion x(vl.varfilename.get());
    const VarFileData* top = x.find(text);
    if (!(top ? vl.decode(top->getData()) : vl.decode(text))) return 0;
    // Each pass replaces every name that has a definition by the definition's items. Its list
    // is built anew in one piece, its length known beforehand, rather than moving later items
    // back at each expansion; the two lists trade places from pass to pass.
    std::vector<VarListItem> next;
    for (int pass = 0; pass < max_pass; ++pass) {
        Hyx::outDebug(5, "----PASS %d------\n", pass);
        const int before = vl.num;
        x.found.assign(static_cast<size_t>(before), nullptr);
        int stop = before;
        int length = before;
        bool changed = false;
        for (int i = 0; i < before; ++i) {
            VarListItem& item = vl.list[static_cast<size_t>(i)];
            if (item.data.abs) continue;
            const VarList* def = vl.definition(x.find(item.data.getVarAbbr()), x);
            if (!def) {
                item.data.abs = true;
                continue;
            }
            if (length - 1 + def->num > max_items) {
                stop = i;
                break;
            }
            length += def->num - 1;
            x.found[static_cast<size_t>(i)] = def;
            changed = true;
        }
        next.clear();
        next.reserve(vl.list.size() + static_cast<size_t>(length - before));
        for (int i = 0; i < stop; ++i) {
            VarListItem& item = vl.list[static_cast<size_t>(i)];
            const VarList* def = x.found[static_cast<size_t>(i)];
            if (!def) {
                next.push_back(std::move(item));
                continue;
            }
            vl.expand(item, *def, x.unit, next);
            // Room as the list grew in place: the room it lacks and some to spare.
            const int k = def->num;
            if (vl.num + k - 1 > vl.max) vl.max = vl.num + k - 1 + grow_size;
            vl.max += k - 1;
            vl.num += k - 1;
        }
        for (int j = stop; j < static_cast<int>(vl.list.size()); ++j)
            next.push_back(std::move(vl.list[static_cast<size_t>(j)]));
        next.resize(static_cast<size_t>(vl.max));
        vl.list.swap(next);
        if (stop < before) {
            Hyx::outWarning("VarList::process: more than %d variables, expansion stopped\n",
                            max_items);
            return 1;
        }
        if (Hyx::isDebug(4)) {
            vl.print();
            Hyx::outDebug(5, "------------------\n");
        }
        if (!changed) break;
    }
    return 1;
}

int VarList::get(int i, VarSpec& s) const {
    if (!valid(i)) return 0;
    s = list[i].data;
    return 1;
}

int VarList::getString(int i, String& out) const {
    out.clear();
    return valid(i) ? list[i].data.toString(out) : 0;
}

int VarList::setPlot(int i, int p) {
    if (!valid(i)) return 0;
    list[i].data.plot = p;
    return 1;
}

int VarList::setDataIndex(int i, int d) {
    if (!valid(i)) return 0;
    list[i].dindex = d;
    return 1;
}

bool VarList::isFillContour(int i) const {
    return isContour(i) && (list[i].data.hasOption("cf") || list[i].data.hasOption("pl=cf"));
}

void VarList::print() const {
    std::printf("VarList-num: %d title: %s\n", num, title);
    for (int i = 0; i < num; ++i) {
        std::printf("[%d] Lyr: %d ", i, list[i].layer);
        if (list[i].dindex >= 0)
            std::printf("[%d] ", list[i].dindex);
        else
            std::printf("[-] ");
        list[i].data.print();
    }
}

} // namespace HYX
