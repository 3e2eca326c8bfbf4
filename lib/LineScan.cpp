// A cursor over one line of text, shared by the parsers of small text formats.
#include "HYX/LineScan.h"

#include <cctype>
#include <cerrno>
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

} // namespace

void LineScan::skipBlanks() {
    while (pos < line.size() && isBlank(line[pos])) ++pos;
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

bool LineScan::number(float& v) {
    const size_t keep = pos;
    if (toNumber(word(), v)) return true;
    pos = keep;
    return false;
}

bool LineScan::keyword(std::string_view text) {
    skipBlanks();
    if (line.size() - pos < text.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(line[pos + i])) !=
            std::tolower(static_cast<unsigned char>(text[i])))
            return false;
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

bool LineScan::toInt(std::string_view text, long& v) {
    float f;
    if (!toNumber(text, f) || f != std::floor(f) || std::fabs(f) > 2e9f) return false;
    v = static_cast<long>(f);
    return true;
}

} // namespace HYX
