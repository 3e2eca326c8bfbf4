// Owned list of texts split at a delimiter or at white space.
#include "HYX/Strings.h"

#include "HYX/Const.h"
#include "HYX/StrLib.h"
#include "HYX/Tools.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace HYX {

int Strings::set(int n) {
    vals.assign(n > 0 ? n : 0, std::nullopt);
    return 1;
}

int Strings::set(int n, const char* const* texts) {
    set(n);
    for (int i = 0; i < n && texts; ++i)
        if (texts[i]) vals[i] = std::string(texts[i]);
    return 1;
}

int Strings::set(const char* text) {
    vals.clear();
    if (!text) return 0;
    const char* p = text;
    for (;;) {
        while (*p && std::isspace(static_cast<unsigned char>(*p))) ++p;
        if (!*p) break;
        const char* b = p;
        while (*p && !std::isspace(static_cast<unsigned char>(*p))) ++p;
        vals.emplace_back(std::string(b, p - b));
    }
    return 1;
}

int Strings::set(const char* text, char delim, int max) {
    vals.clear();
    if (!text || !*text) return 0;
    const char* p = text;
    for (;;) {
        if (max >= 1 && getNum() == max - 1) {
            vals.emplace_back(std::string(p));
            break;
        }
        const char* end = nullptr;
        std::string elem;
        if (*p == '"') {
            // A quoted element runs to the quote that is followed by a delimiter or the end.
            const char* q = p + 1;
            while (*q && !(*q == '"' && (q[1] == delim || q[1] == 0))) ++q;
            if (*q == '"') {
                elem.assign(p + 1, q - p - 1);
                end = q + 1;
            }
        }
        if (!end) {
            end = std::strchr(p, delim);
            if (!end) end = p + std::strlen(p);
            elem.assign(p, end - p);
        }
        vals.emplace_back(std::move(elem));
        if (*end != delim) break;
        p = end + 1;
    }
    return 1;
}

int Strings::set(int i, const char* text) {
    if (i < 0 || i >= getNum()) return 0;
    if (!text || !*text) {
        vals[i].reset();
        return 0;
    }
    vals[i] = std::string(text);
    return 1;
}

int Strings::add(const char* text) {
    if (text)
        vals.emplace_back(std::string(text));
    else
        vals.emplace_back(std::nullopt);
    return 1;
}

const char* Strings::getString(int i) const {
    if (i < 0 || i >= getNum() || !vals[i]) return nullptr;
    return vals[i]->c_str();
}

const char* Strings::getString(int i, char c) const {
    const char* s = getString(i);
    return s ? std::strchr(s, c) : nullptr;
}

const char* Strings::getString(int i, int k) const {
    const char* s = getString(i);
    if (!s || k < 0 || k >= static_cast<int>(vals[i]->size())) return nullptr;
    return s + k;
}

const char* Strings::getStringAfter(int i, char c) const {
    const char* s = getString(i, c);
    return s ? s + 1 : nullptr;
}

char Strings::getChar(int i, int k) const {
    const char* s = getString(i, k);
    return s ? *s : 0;
}

int Strings::getLength(int i) const {
    const char* s = getString(i);
    return s ? static_cast<int>(vals[i]->size()) : 0;
}

bool Strings::valid(int i) const { return getLength(i) > 0; }

bool Strings::equal(int i, const char* text) const { return StrLib::equal(getString(i), text); }

bool Strings::equal(int i, int k, const char* text) const {
    return StrLib::equal(getString(i, k), text);
}

bool Strings::equal(int i, const char* text, int n) const {
    return StrLib::equal(getString(i), text, n);
}

bool Strings::iequal(int i, const char* text) const { return StrLib::iequal(getString(i), text); }

bool Strings::iequal(int i, int k, const char* text) const {
    return StrLib::iequal(getString(i, k), text);
}

bool Strings::iequal(int i, const char* text, int n) const {
    return StrLib::iequal(getString(i), text, n);
}

int Strings::find(const char* text) const {
    for (int i = 0; i < getNum(); ++i)
        if (equal(i, text)) return i;
    return -1;
}

int Strings::index(int i, char c) const { return StrLib::index(getString(i), c); }

bool Strings::contains(int i, const char* text) const {
    return StrLib::contains(getString(i), text);
}

bool Strings::check(int i, const char* pattern) const {
    return StrLib::check(getString(i), pattern);
}

namespace {

int toIntOrMiss(const char* s) {
    if (!s || !Tools::isInt(s)) return Const::MISS;
    return std::atoi(s);
}

float toFloatOrMiss(const char* s) {
    if (!s || !Tools::isFloat(s)) return Const::FMISS;
    return static_cast<float>(std::atof(s));
}

} // namespace

int Strings::getInt(int i) const { return toIntOrMiss(getString(i)); }

int Strings::getInt(int i, int k) const { return toIntOrMiss(getString(i, k)); }

int Strings::getIntAfter(int i, char c) const { return toIntOrMiss(getStringAfter(i, c)); }

float Strings::getFloat(int i) const { return toFloatOrMiss(getString(i)); }

float Strings::getFloat(int i, int k) const { return toFloatOrMiss(getString(i, k)); }

float Strings::getFloatAfter(int i, char c) const { return toFloatOrMiss(getStringAfter(i, c)); }

int Strings::scanf(int i, const char* fmt, ...) const {
    const char* s = getString(i);
    if (!s || !fmt) return 0;
    va_list ap;
    va_start(ap, fmt);
    const int n = std::vsscanf(s, fmt, ap);
    va_end(ap);
    return n;
}

int Strings::scanf(int i, int k, const char* fmt, ...) const {
    const char* s = getString(i, k);
    if (!s || !fmt) return 0;
    va_list ap;
    va_start(ap, fmt);
    const int n = std::vsscanf(s, fmt, ap);
    va_end(ap);
    return n;
}

void Strings::print() const {
    for (int i = 0; i < getNum(); ++i)
        std::printf("%d: %s\n", i, vals[i] ? vals[i]->c_str() : "(null)");
}

} // namespace HYX
