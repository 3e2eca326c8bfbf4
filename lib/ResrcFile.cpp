// Resource-file reader.
#include "HYX/ResrcFile.h"

#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/Resrc.h"
#include "HYX/ResrcEnv.h"
#include "HYX/StrLib.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace HYX {

namespace {

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// Copies the word at p into word (cut to size - 1 characters); returns the position
// after the whole word.
const char* readWord(const char* p, char* word, int size) {
    int n = 0;
    while (*p && !isBlank(*p)) {
        if (n < size - 1) word[n++] = *p;
        ++p;
    }
    word[n] = 0;
    return p;
}

const char* skipBlanks(const char* p) {
    while (*p && isBlank(*p)) ++p;
    return p;
}

// Pattern match of a file key against a qualified resource name: at a "*" the name jumps
// to the first occurrence of the pattern text up to the next "*"; everything else must be
// equal, and both must end together.
bool patternMatch(std::string_view pat, std::string_view q) {
    size_t pi = 0, qi = 0;
    while (pi < pat.size() && qi < q.size()) {
        if (pat[pi] == '*') {
            ++pi;
            const size_t end = pat.find('*', pi);
            const std::string_view seg =
                pat.substr(pi, end == std::string_view::npos ? std::string_view::npos : end - pi);
            const size_t at = q.find(seg, qi);
            if (at == std::string_view::npos) return false;
            qi = at;
            if (pi >= pat.size() || qi >= q.size()) break;
        }
        if (pat[pi] != q[qi]) return false;
        ++pi;
        ++qi;
    }
    return pi == pat.size() && qi == q.size();
}

} // namespace

ResrcFile::ResrcFile(const Resrc& store) { set(store.get("prog", ""), store.get("name", "")); }

ResrcFile::ResrcFile(const Resrc& store, const char* path) : ResrcFile(store) { open(path); }

void ResrcFile::set(const char* p, const char* n) {
    StrLib::copy(prog, NAME_SIZE, p ? p : "");
    StrLib::copy(name, NAME_SIZE, n ? n : "");
}

int ResrcFile::open(const char* path) {
    close();
    String full(256);
    if (!StrLib::valid(path)) {
        full.copy("hyx.cfg");
    } else if (FileTool::isDir(path)) {
        static const char* const NAMES[] = {"hyx.cfg", ".hyxdef", "Hyx.res"};
        bool found = false;
        for (const char* n : NAMES) {
            full.copy(path);
            FileTool::addPathDelim(full);
            full.append(n);
            if (FileTool::exist(full.get())) {
                found = true;
                break;
            }
        }
        if (!found) return 0;
    } else {
        full.copy(path);
    }
    // Only regular files and pipes: a device or directory would never end or not read.
    if (!FileTool::isFile(full.get()) && !FileTool::isFifo(full.get())) return 0;
    // Names the file wrapper would take for standard input are meant as files here.
    if (FileTool::isStdio(full.get())) {
        String local("./");
        local.append(full);
        full.copy(local);
    }
    opened = file.open(full.get(), "r") == 1;
    if (!opened) return 0;
    path_name.copy(full);
    line_num = 0;
    at_line_start = true;
    return 1;
}

int ResrcFile::close() {
    if (!opened) return 0;
    file.close();
    opened = false;
    return 1;
}

bool ResrcFile::isDefined(const char* t) const {
    for (int i = 0; i < num_tag; ++i)
        if (StrLib::iequal(tag[i].data(), t)) return true;
    return false;
}

bool ResrcFile::hasTag(const char* t) const {
    char cut[TAG_SIZE];
    StrLib::copy(cut, TAG_SIZE, t);
    return isDefined(cut);
}

int ResrcFile::setTag(const char* t) {
    if (num_tag >= MAX_TAG) return 0;
    StrLib::copy(tag[num_tag].data(), TAG_SIZE, t ? t : "");
    ++num_tag;
    return 1;
}

void ResrcFile::computeMatches() {
    matches = num_refused == 0;
    for (int i = 0; i < num_match && matches; ++i)
        if (match[i] != TAKEN) matches = false;
}

// Reads the next line, or the next piece of VALUE_SIZE - 1 characters of a longer one.
bool ResrcFile::readPiece() {
    // fgets itself tells the end of the file: a piece may begin with a NUL byte.
    if (!opened || !std::fgets(piece, VALUE_SIZE, file.getFP())) return false;
    if (at_line_start) ++line_num;
    const int n = StrLib::length(piece);
    at_line_start = n > 0 && piece[n - 1] == '\n';
    return true;
}

// A section directive without its IF: the warning, then where it stands.
void ResrcFile::warnStray(const char* word) const {
    Hyx::outWarning("ResrcFile::get: %s without an if\n", word);
    Hyx::outWarning("ResrcFile::get: at %s line %d\n", path_name.get(), line_num);
}

bool ResrcFile::directive(const char* word, const char* arg, int nwords) {
    if (StrLib::iequal(word, "DEF")) {
        if (nwords == 2 && num_tag < MAX_TAG) setTag(arg);
        return true;
    }
    if (StrLib::iequal(word, "UNDEF")) {
        if (nwords < 2) return true;
        int kept = 0;
        for (int i = 0; i < num_tag; ++i)
            if (!StrLib::iequal(tag[i].data(), arg)) tag[kept++] = tag[i];
        num_tag = kept;
        return true;
    }
    if (StrLib::iequal(word, "IF")) {
        if (nwords != 2) return false;
        if (num_refused > 0 || num_match >= MAX_NEST) {
            // Deeper sections cannot be evaluated; they are skipped up to their END.
            if (num_refused == 0)
                Hyx::outWarning("ResrcFile::get: %s line %d: IF sections nested deeper than "
                                "%d levels are skipped\n",
                                path_name.get(), line_num, MAX_NEST);
            ++num_refused;
        } else {
            match[num_match++] =
                (StrLib::iequal(arg, "V6") || isDefined(arg)) ? TAKEN : FALSE_SO_FAR;
        }
        computeMatches();
        return true;
    }
    if (StrLib::iequal(word, "ELIF")) {
        if (nwords != 2) return false;
        if (num_refused > 0) return true;
        if (num_match == 0) {
            warnStray("elif");
        } else {
            unsigned char& m = match[num_match - 1];
            m = m == FALSE_SO_FAR ? (isDefined(arg) ? TAKEN : FALSE_SO_FAR) : CLOSED;
        }
        computeMatches();
        return true;
    }
    if (StrLib::iequal(word, "ELSE")) {
        if (num_refused > 0) return true;
        if (num_match == 0) {
            warnStray("else");
        } else {
            unsigned char& m = match[num_match - 1];
            m = m == FALSE_SO_FAR ? TAKEN : CLOSED;
        }
        computeMatches();
        return true;
    }
    if (StrLib::iequal(word, "END")) {
        if (num_refused > 0)
            --num_refused;
        else if (num_match == 0)
            warnStray("end");
        else
            --num_match;
        computeMatches();
        return true;
    }
    return false;
}

int ResrcFile::get(String& key, String& value) {
    while (readPiece()) {
        if (piece[0] == '#') continue;
        char word[KEY_SIZE];
        char arg[VALUE_SIZE];
        const char* p = readWord(skipBlanks(piece), word, KEY_SIZE);
        if (!word[0]) continue;
        const char* argStart = skipBlanks(p);
        readWord(argStart, arg, VALUE_SIZE);
        const int nwords = arg[0] ? 2 : 1;
        if (directive(word, arg, nwords)) continue;
        if (nwords != 2 || !matches) continue;

        if (arg[0] == '"') {
            // A quoted value runs to the next double quote, blanks included.
            const char* v = argStart + 1;
            int n = 0;
            while (v[n] && v[n] != '"' && v[n] != '\n' && v[n] != '\r' && n < VALUE_SIZE - 1) ++n;
            value.copy(v, n);
        } else {
            value.copy(arg);
        }
        key.copy(word);
        key.lowCase();
        if (key.length() > 0 && key.getChar(-1) == ':') key.chop();
        return 1;
    }
    return -1;
}

int ResrcFile::qualify(const char* res, String& out) const {
    return ResrcEnv::qualify(prog, name, res, '.', out);
}

int ResrcFile::matchKey(const char* key, const char* qualified) {
    if (!key || !qualified) return 0;
    return patternMatch(key, qualified) ? 1 : 0;
}

int ResrcFile::compare(const char* res, const char* key) const {
    if (!res || !key) return 0;
    String q;
    qualify(res, q);
    return matchKey(key, q.get());
}

int ResrcFile::parseName(const char* key, String& out) {
    if (!key) {
        out.clear();
        return 0;
    }
    const char* start = key;
    for (const char* p = key; *p; ++p)
        if (*p == '.' || *p == '*') start = p + 1;
    out.copy(start);
    return 1;
}

int ResrcFile::valid(const char* key) const {
    String last;
    parseName(key, last);
    // A key with nothing after its last separator names no resource.
    if (!last.valid()) return 0;
    return compare(last.get(), key);
}

int ResrcFile::getValid(String& key, String& value) {
    String k;
    while (get(k, value) == 1) {
        if (valid(k.get())) {
            parseName(k.get(), key);
            return 1;
        }
    }
    return -1;
}

int ResrcFile::readFile(Resrc& store, const char* path) {
    if (!open(path)) return 0;
    String key, value;
    while (getValid(key, value) == 1) store.add(key.get(), value.get(), Resrc::RUN);
    close();
    return 1;
}

} // namespace HYX
