// Static functions on plain zero-terminated texts.
#include "HYX/StrLib.h"

#include "HYX/Const.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace HYX {

namespace {

// The C locale's lower case, inline: names are compared on every level of every sounding.
int lower(char c) {
    const int u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? u + ('a' - 'A') : u;
}

bool isSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

bool wildMatch(const char* t, const char* p, bool nocase) {
    // Iterative matcher with single backtrack point for '*'.
    const char* star = nullptr;
    const char* retry = nullptr;
    while (*t) {
        if (*p == '*') {
            star = p++;
            retry = t;
        } else if (*p == '?' || (nocase ? lower(*p) == lower(*t) : *p == *t)) {
            ++p;
            ++t;
        } else if (star) {
            p = star + 1;
            t = ++retry;
        } else {
            return false;
        }
    }
    while (*p == '*') ++p;
    return *p == 0;
}

} // namespace

bool StrLib::equal(const char* a, const char* b) { return a && b && std::strcmp(a, b) == 0; }

bool StrLib::iequal(const char* a, const char* b) { return a && b && icmp(a, b) == 0; }

int StrLib::icmp(const char* a, const char* b) {
    if (!a || !b) return a ? 1 : (b ? -1 : 0);
    for (;; ++a, ++b) {
        const int d = lower(*a) - lower(*b);
        if (d != 0 || !*a) return d;
    }
}

int StrLib::icmp(const char* a, const char* b, int n) {
    if (!a || !b) return a ? 1 : (b ? -1 : 0);
    for (int i = 0; i < n; ++i, ++a, ++b) {
        const int d = lower(*a) - lower(*b);
        if (d != 0 || !*a) return d;
    }
    return 0;
}

bool StrLib::equal(const char* a, const char* b, int n) {
    if (!a || !b) return false;
    if (n >= 1) return std::strncmp(a, b, n) == 0;
    const int la = length(a);
    const int k = -n < la ? -n : la;
    return std::strcmp(a + la - k, b) == 0;
}

bool StrLib::iequal(const char* a, const char* b, int n) {
    if (!a || !b) return false;
    if (n >= 1) return icmp(a, b, n) == 0;
    const int la = length(a);
    const int k = -n < la ? -n : la;
    return icmp(a + la - k, b) == 0;
}

bool StrLib::equal(const char* a, int n, const char* b) {
    if (!a || !b || length(b) != n) return false;
    return std::strncmp(a, b, n) == 0;
}

int StrLib::copy(char* dst, int size, const char* src) {
    if (!dst || size <= 0) return 0;
    if (!src) {
        dst[0] = 0;
        return 0;
    }
    const size_t n = strnlen(src, static_cast<size_t>(size) - 1);
    std::memmove(dst, src, n);
    dst[n] = 0;
    return 1;
}

int StrLib::copy(char* dst, int size, char c) {
    if (!dst || size <= 0) return 0;
    if (size == 1) {
        dst[0] = 0;
        return 1;
    }
    dst[0] = c;
    dst[1] = 0;
    return 1;
}

int StrLib::copy(char* dst, int size, const char* src, int n) {
    if (!dst || size <= 0) return 0;
    dst[0] = 0;
    if (!src) return 0;
    const int len = length(src);
    int start = 0;
    if (n < 0) {
        n = -n > len ? len : -n;
        start = len - n;
    }
    if (n > len) n = len;
    if (n > size - 1) n = size - 1;
    std::memcpy(dst, src + start, n);
    dst[n] = 0;
    return 1;
}

std::unique_ptr<char[]> StrLib::acopy(const char* text) { return acopy(text, length(text)); }

std::unique_ptr<char[]> StrLib::acopy(const char* text, int n) {
    const int len = length(text);
    if (n < 0 || n > len) n = len;
    auto out = std::make_unique<char[]>(n + 1);
    if (n > 0) std::memcpy(out.get(), text, n);
    out[n] = 0;
    return out;
}

int StrLib::append(char* dst, int size, const char* src) {
    if (!dst || !src || size <= 0) return 0;
    const int len = length(dst);
    if (len >= size - 1) return 0;
    std::snprintf(dst + len, size - len, "%s", src);
    return 1;
}

int StrLib::append(char* dst, int size, const char* src, int n) {
    if (!dst || !src || size <= 0) return 0;
    const int len = length(dst);
    int k = length(src);
    if (n >= 0 && n < k) k = n;
    if (k > size - 1 - len) k = size - 1 - len;
    if (k <= 0) return 0;
    std::memcpy(dst + len, src, k);
    dst[len + k] = 0;
    return 1;
}

int StrLib::vprintf(char* dst, int size, const char* fmt, va_list ap) {
    if (!dst || size <= 0 || !fmt) return 0;
    return std::vsnprintf(dst, size, fmt, ap);
}

int StrLib::printf(char* dst, int size, const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    const int n = vprintf(dst, size, fmt, ap);
    va_end(ap);
    return n;
}

int StrLib::aprintf(char* dst, int size, const char* fmt, ...) {
    if (!dst || size <= 0) return 0;
    const int len = length(dst);
    if (len >= size - 1) return 0;
    va_list ap;
    va_start(ap, fmt);
    const int n = vprintf(dst + len, size - len, fmt, ap);
    va_end(ap);
    return n;
}

int StrLib::trimWS(char* text) {
    if (!text) return 0;
    int len = length(text);
    while (len > 0 && isSpace(text[len - 1])) text[--len] = 0;
    return len;
}

int StrLib::stripWS(char* text) {
    if (!text) return 0;
    char* out = text;
    for (const char* p = text; *p; ++p)
        if (!isSpace(*p)) *out++ = *p;
    *out = 0;
    return static_cast<int>(out - text);
}

int StrLib::chop(char* text) {
    const int len = length(text);
    if (len == 0) return 0;
    text[len - 1] = 0;
    return 1;
}

int StrLib::clear(char* text) {
    if (!text) return 0;
    text[0] = 0;
    return 1;
}

int StrLib::length(const char* text) { return text ? static_cast<int>(std::strlen(text)) : 0; }

int StrLib::replace(char* text, char a, char b) {
    if (!text) return 0;
    int n = 0;
    for (char* p = text; *p; ++p)
        if (*p == a) {
            *p = b;
            ++n;
        }
    return n;
}

int StrLib::upCase(char* text) {
    if (!text) return 0;
    for (char* p = text; *p; ++p)
        *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
    return 1;
}

int StrLib::lowCase(char* text) {
    if (!text) return 0;
    for (char* p = text; *p; ++p) *p = static_cast<char>(lower(*p));
    return 1;
}

int StrLib::upCaseFirst(char* text) {
    if (!text || !*text) return 0;
    text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return 1;
}

int StrLib::clean(char* text) {
    if (!text) return 0;
    char* out = text;
    for (const char* p = text; *p; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c >= 32 && c < 127) *out++ = *p;
    }
    *out = 0;
    return static_cast<int>(out - text);
}

int StrLib::index(const char* text, char c) { return index(text, c, 0); }

int StrLib::index(const char* text, char c, int start) {
    if (!text || start < 0 || start > length(text)) return -1;
    const char* p = std::strchr(text + start, c);
    return (p && c) ? static_cast<int>(p - text) : -1;
}

int StrLib::lastIndex(const char* text, char c) {
    if (!text || !c) return -1;
    const char* p = std::strrchr(text, c);
    return p ? static_cast<int>(p - text) : -1;
}

int StrLib::occurs(const char* text, char c) {
    if (!text) return 0;
    int n = 0;
    for (; *text; ++text)
        if (*text == c) ++n;
    return n;
}

bool StrLib::contains(const char* text, const char* sub) { return where(text, sub) >= 0; }

int StrLib::where(const char* text, const char* sub) {
    if (!text || !sub) return -1;
    const char* p = std::strstr(text, sub);
    return p ? static_cast<int>(p - text) : -1;
}

bool StrLib::hasToken(const char* text, char delim, const char* token) {
    if (!text || !token) return false;
    const int tl = length(token);
    const char* p = text;
    for (;;) {
        const char* e = std::strchr(p, delim);
        const int fl = e ? static_cast<int>(e - p) : length(p);
        if (fl == tl && std::strncmp(p, token, tl) == 0) return true;
        if (!e) return false;
        p = e + 1;
    }
}

const char* StrLib::getField(const char* text, char delim, int i) {
    if (!text || i < 0) return nullptr;
    const char* p = text;
    for (; i > 0; --i) {
        p = std::strchr(p, delim);
        if (!p) return nullptr;
        ++p;
    }
    return p;
}

int StrLib::subString(const char* text, int start, int n, char* dst, int size) {
    if (!dst || size <= 0) return 0;
    dst[0] = 0;
    const int len = length(text);
    if (start < 0 || start >= len) return 0;
    if (n < 0 || n > len - start) n = len - start;
    if (n > size - 1) n = size - 1;
    std::memcpy(dst, text + start, n);
    dst[n] = 0;
    return 1;
}

int StrLib::toInt(const char* text) { return toInt(text, 0, -1); }

int StrLib::toInt(const char* text, int n) { return toInt(text, 0, n); }

int StrLib::toInt(const char* text, int start, int n) {
    const float v = toFloat(text, start, n);
    if (v == Const::FMISS) return Const::MISS;
    return static_cast<int>(v);
}

float StrLib::toFloat(const char* text) { return toFloat(text, 0, -1); }

float StrLib::toFloat(const char* text, int n) { return toFloat(text, 0, n); }

float StrLib::toFloat(const char* text, int start, int n) {
    char field[64];
    if (!subString(text, start, n, field, sizeof field)) return Const::FMISS;
    char* end = nullptr;
    const double v = std::strtod(field, &end);
    if (end == field) return Const::FMISS;
    return static_cast<float>(v);
}

bool StrLib::valid(const char* text) { return text && *text; }

const char* StrLib::valid(const char* text, const char* def) { return valid(text) ? text : def; }

bool StrLib::validData(const char* text) {
    if (!text) return false;
    for (; *text; ++text)
        if (!isSpace(*text)) return true;
    return false;
}

bool StrLib::isNum(const char* text) { return isNum(text, -1); }

bool StrLib::isNum(const char* text, int n) {
    if (!valid(text)) return false;
    bool digit = false;
    for (int i = 0; text[i] && (n < 0 || i < n); ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c)))
            digit = true;
        else if (!((c == '-' || c == '+') && i == 0) && c != '.')
            return false;
    }
    return digit;
}

bool StrLib::isAlphaNum(const char* text) {
    if (!text) return false;
    for (; *text; ++text)
        if (std::isalnum(static_cast<unsigned char>(*text))) return true;
    return false;
}

bool StrLib::match(const char* text, const char* pattern) {
    return text && pattern && wildMatch(text, pattern, false);
}

bool StrLib::check(const char* text, const char* pattern) {
    return text && pattern && wildMatch(text, pattern, true);
}

} // namespace HYX
