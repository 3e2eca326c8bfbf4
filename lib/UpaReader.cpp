// The input buffer, line walk and warnings shared by the sounding readers.
#include "HYX/UpaReader.h"

#include "HYX/Hyx.h"
#include "HYX/UpaData.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace HYX {

namespace {

// Longest piece of an offending line quoted in a warning.
constexpr size_t QUOTE = 40;

} // namespace

int UpaReader::slurp(const char* name, std::string& out, std::string& err) {
    out.clear();
    const bool in = std::strcmp(name, "-") == 0;
    FILE* f = in ? stdin : std::fopen(name, "rb");
    if (!f) {
        err = std::strerror(errno);
        return 0;
    }
    char chunk[65536];
    size_t n;
    bool big = false;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
        if (out.size() + n > MAX_INPUT) {
            big = true;
            break;
        }
        out.append(chunk, n);
    }
    const bool bad = std::ferror(f) != 0;
    if (!in) std::fclose(f);
    if (big) {
        err = "larger than 1 GiB";
        out.clear();
        return 0;
    }
    if (bad) {
        err = "read error";
        out.clear();
        return 0;
    }
    return 1;
}

int UpaReader::open(const char* fname) {
    name = fname ? fname : "";
    buf.clear();
    skipped.clear();
    errors = 0;
    std::string err;
    if (!fname || !slurp(fname, buf, err)) {
        Hyx::outWarning("%s: cannot read %s: %s\n", kind(), name.c_str(), err.c_str());
        reset();
        return 0;
    }
    reset();
    start();
    return 1;
}

void UpaReader::setText(const char* data, size_t len, const char* label) {
    name = label ? label : "(buffer)";
    buf.assign(data ? data : "", data ? (len < MAX_INPUT ? len : MAX_INPUT) : 0);
    skipped.clear();
    errors = 0;
    reset();
    start();
}

void UpaReader::replaceText(std::string&& text) {
    buf = std::move(text);
    reset();
}

void UpaReader::reset() {
    pos = last = 0;
    lineno = 0;
}

bool UpaReader::nextLine(std::string_view& line) {
    if (pos >= buf.size()) return false;
    last = pos;
    size_t end = buf.find('\n', pos);
    if (end == std::string::npos) end = buf.size();
    size_t stop = end;
    while (stop > pos && buf[stop - 1] == '\r') --stop;
    line = std::string_view(buf).substr(pos, stop - pos);
    pos = end < buf.size() ? end + 1 : end;
    ++lineno;
    return true;
}

void UpaReader::unread() {
    if (pos == last) return;
    pos = last;
    --lineno;
}

int UpaReader::addLevel(UpaData& d, const UpaLevel& lev) {
    const int k = d.addLevel(lev);
    if (k < 0 && !full) {
        full = true;
        warn(lineno, "more than 300 levels in one sounding: the rest are left out");
    }
    return k;
}

void UpaReader::warn(int line, const char* what, const std::string& detail) {
    ++errors;
    std::string quote;
    if (!detail.empty()) {
        for (char c : detail.substr(0, QUOTE)) quote += (c >= ' ' && c < 127) ? c : '?';
        if (detail.size() > QUOTE) quote += "...";
        quote = " \"" + quote + "\"";
    }
    if (line > 0)
        Hyx::outWarning("%s: %s line %d: %s%s\n", kind(), name.c_str(), line, what, quote.c_str());
    else
        Hyx::outWarning("%s: %s: %s%s\n", kind(), name.c_str(), what, quote.c_str());
}

} // namespace HYX
