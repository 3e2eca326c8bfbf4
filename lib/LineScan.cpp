// A cursor over one line of text, shared by the parsers of small text formats.
#include "HYX/LineScan.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

namespace HYX {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Numbers longer than this are not numbers of any format read here.
constexpr size_t MAX_NUMBER = 40;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// The item of an option list that starts at start: its text, and the position of the
// delimiter that ends it (npos at the end of the text).
std::string_view splitItem(std::string_view text, size_t start, char delim, size_t& end) {
    if (start < text.size() && text[start] == '"') {
        size_t q = start + 1;
        while (q < text.size() &&
               !(text[q] == '"' && (q + 1 == text.size() || text[q + 1] == delim)))
            ++q;
        if (q < text.size()) {
            end = q + 1 < text.size() ? q + 1 : std::string_view::npos;
            return text.substr(start + 1, q - start - 1);
        }
    }
    end = text.find(delim, start);
    return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

} // namespace

void LineScan::skipBlanks() {
    while (pos < line.size() && isBlank(line[pos])) ++pos;
}

LineScan& LineScan::skip(size_t n) {
    pos = n < line.size() - std::min(pos, line.size()) ? pos + n : line.size();
    return *this;
}

bool LineScan::take(char c) {
    if (peek() != c || atEnd()) return false;
    ++pos;
    return true;
}

std::string_view LineScan::word() {
    skipBlanks();
    const size_t start = pos;
    while (pos < line.size() && !isBlank(line[pos])) ++pos;
    return line.substr(start, pos - start);
}

std::string_view LineScan::cell(char delim) {
    const size_t start = pos < line.size() ? pos : line.size();
    size_t end = line.find(delim, start);
    if (end == std::string_view::npos) end = line.size();
    pos = end < line.size() ? end + 1 : end;
    return trim(line.substr(start, end - start));
}

std::string_view LineScan::item(char delim) {
    size_t end = 0;
    const std::string_view text = splitItem(line, std::min(pos, line.size()), delim, end);
    pos = end == std::string_view::npos ? line.size() : end + 1;
    return text;
}

std::string_view LineScan::chars(size_t n) {
    const std::string_view text = rest().substr(0, n);
    pos += text.size();
    return text;
}

std::string_view LineScan::upTo(char stop) {
    const std::string_view r = rest();
    return chars(std::min(r.find(stop), r.size()));
}

bool LineScan::digits(int n, int& v) {
    const std::string_view text = rest().substr(0, n > 0 ? n : 0);
    if (n <= 0 || text.size() < static_cast<size_t>(n)) return false;
    int val = 0;
    for (char c : text) {
        if (!isDigit(c)) return false;
        val = val * 10 + (c - '0');
    }
    v = val;
    pos += text.size();
    return true;
}

bool LineScan::real(double& v) {
    const std::string r(rest().substr(0, 4 * MAX_NUMBER));
    char* end = nullptr;
    const double d = std::strtod(r.c_str(), &end);
    if (end == r.c_str()) return false;
    v = d;
    pos += end - r.c_str();
    return true;
}

bool LineScan::real(float& v) {
    double d = 0;
    if (!real(d)) return false;
    v = static_cast<float>(d);
    return true;
}

bool LineScan::integer(int& v) {
    const std::string r(rest().substr(0, 4 * MAX_NUMBER));
    char* end = nullptr;
    const long l = std::strtol(r.c_str(), &end, 10);
    if (end == r.c_str()) return false;
    v = static_cast<int>(std::clamp<long>(l, INT_MIN, INT_MAX));
    pos += end - r.c_str();
    return true;
}

bool LineScan::decimal(float& v) {
    size_t i = pos;
    double x = 0.0;
    bool digits = false;
    for (; i < line.size() && isDigit(line[i]); ++i) {
        x = x * 10.0 + (line[i] - '0');
        digits = true;
        if (x > 1.0e7) return false;
    }
    if (i < line.size() && line[i] == '.') {
        double scale = 0.1;
        for (++i; i < line.size() && isDigit(line[i]); ++i, scale *= 0.1) {
            x += (line[i] - '0') * scale;
            digits = true;
        }
    }
    if (!digits) return false;
    v = static_cast<float>(x);
    pos = i;
    return true;
}

int LineScan::integers(char sep, int* v, int max) {
    int n = 0;
    while (n < max && integer(v[n])) {
        ++n;
        if (!take(sep)) break;
    }
    return n;
}

bool LineScan::group(char open, char close, std::string_view& inside) {
    skipBlanks();
    if (!take(open)) return false;
    inside = upTo(close);
    return take(close);
}

bool LineScan::number(float& v) {
    const size_t keep = pos;
    if (toNumber(word(), v)) return true;
    pos = keep;
    return false;
}

bool LineScan::keyword(std::string_view text) {
    skipBlanks();
    if (line.size() - pos < text.size()) return false;
    if (!iequal(line.substr(pos, text.size()), text)) return false;
    pos += text.size();
    return true;
}

std::string_view LineScan::column(std::string_view line, size_t start, size_t end) {
    if (start >= line.size() || end <= start) return {};
    return trim(line.substr(start, end - start));
}

std::string_view LineScan::trim(std::string_view text) {
    size_t a = 0, b = text.size();
    while (a < b && isBlank(text[a])) ++a;
    while (b > a && isBlank(text[b - 1])) --b;
    return text.substr(a, b - a);
}

bool LineScan::toNumber(std::string_view text, float& v) {
    text = trim(text);
    if (text.empty() || text.size() > MAX_NUMBER) return false;
    const std::string s(text);
    char* end = nullptr;
    errno = 0;
    const double d = std::strtod(s.c_str(), &end);
    // strtod also takes "nan", "inf" and hexadecimal forms, which no format here uses.
    if (end != s.c_str() + s.size() || errno == ERANGE || !std::isfinite(d) ||
        std::fabs(d) > 1e30 || s.find_first_of("xXnN") != std::string::npos)
        return false;
    v = static_cast<float>(d);
    return true;
}

bool LineScan::value(std::string_view item, std::string_view& v) {
    const size_t eq = item.find('=');
    if (eq == std::string_view::npos) return false;
    v = item.substr(eq + 1);
    return true;
}

float LineScan::floatOf(std::string_view text) {
    float v = 0;
    LineScan(text).real(v);
    return v;
}

int LineScan::intOf(std::string_view text) {
    int v = 0;
    LineScan(text).integer(v);
    return v;
}

bool LineScan::iequal(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

bool LineScan::istartsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && iequal(text.substr(0, prefix.size()), prefix);
}

bool LineScan::iendsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && iequal(text.substr(text.size() - suffix.size()), suffix);
}

std::vector<std::string_view> LineScan::items(std::string_view text, char delim) {
    std::vector<std::string_view> out;
    if (text.empty()) return out;
    size_t end = 0;
    for (size_t start = 0;; start = end + 1) {
        out.push_back(splitItem(text, start, delim, end));
        if (end == std::string_view::npos) break;
    }
    return out;
}

bool LineScan::toInt(std::string_view text, long& v) {
    float f;
    if (!toNumber(text, f) || f != std::floor(f) || std::fabs(f) > 2e9f) return false;
    v = static_cast<long>(f);
    return true;
}

} // namespace HYX
