// Owned, growable text with a capacity and a scan position.
#include "HYX/String.h"

#include "HYX/StrLib.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

namespace HYX {

String::String() : String(DEFAULT_SIZE) {}

String::String(int size) : maxlen(size > 0 ? size : 1), data(new char[maxlen]) { data[0] = 0; }

String::String(const char* text) : String(StrLib::length(text) + 1) { copy(text); }

String::String(const String& other) : String(other.maxlen) { copy(other.get()); }

String& String::operator=(const String& other) {
    if (this != &other) copy(other.get());
    return *this;
}

String& String::operator=(const char* text) {
    copy(text);
    return *this;
}

String::~String() = default;

void String::ensure(int size) {
    if (size <= maxlen) return;
    std::unique_ptr<char[]> grown(new char[size]);
    std::memcpy(grown.get(), data.get(), len + 1);
    data = std::move(grown);
    maxlen = size;
}

int String::copy(const char* text) {
    if (!text) {
        clear();
        return 0;
    }
    if (text == data.get()) return 1;
    const int n = StrLib::length(text);
    // Copy through a temporary when text points inside our own buffer.
    if (text > data.get() && text < data.get() + maxlen) {
        std::string tmp(text);
        return copy(tmp.c_str());
    }
    ensure(n + 1);
    std::memcpy(data.get(), text, n + 1);
    len = n;
    ptr = 0;
    return 1;
}

int String::copy(const char* text, int n) {
    if (!text) {
        clear();
        return 0;
    }
    const int tl = StrLib::length(text);
    std::string tmp = n < 0 ? std::string(text) : std::string(text, n < tl ? n : tl);
    return copy(tmp.c_str());
}

int String::append(const char* text) { return append(text, -1); }

int String::append(const char* text, int n) {
    if (!text) return 0;
    int k = StrLib::length(text);
    if (n >= 0 && n < k) k = n;
    std::string tmp(text, k);
    ensure(len + k + 1);
    std::memcpy(data.get() + len, tmp.data(), k);
    len += k;
    data[len] = 0;
    return 1;
}

int String::append(char c) {
    ensure(len + 2);
    data[len++] = c;
    data[len] = 0;
    return 1;
}

int String::printf(const char* fmt, ...) {
    if (!fmt) return 0;
    va_list ap;
    va_start(ap, fmt);
    std::string tmp(maxlen, '\0');
    const int n = std::vsnprintf(&tmp[0], maxlen, fmt, ap);
    va_end(ap);
    std::memcpy(data.get(), tmp.data(), maxlen);
    data[maxlen - 1] = 0;
    len = StrLib::length(data.get());
    ptr = 0;
    return n;
}

int String::aprintf(const char* fmt, ...) {
    if (!fmt || len >= maxlen - 1) return 0;
    va_list ap;
    va_start(ap, fmt);
    std::string tmp(maxlen - len, '\0');
    const int n = std::vsnprintf(&tmp[0], maxlen - len, fmt, ap);
    va_end(ap);
    std::memcpy(data.get() + len, tmp.data(), maxlen - len);
    data[maxlen - 1] = 0;
    len = StrLib::length(data.get());
    return n;
}

int String::clampIndex(int i) const {
    if (i >= len) i = len - 1;
    if (i < 0) i = len + i;
    return i < 0 ? 0 : i;
}

const char* String::get(int i) const { return data.get() + (len > 0 ? clampIndex(i) : 0); }

char String::getChar(int i) const { return len > 0 ? data[clampIndex(i)] : 0; }

bool String::isAlphaNum() const { return StrLib::isAlphaNum(data.get()); }

void String::clear() {
    len = 0;
    ptr = 0;
    data[0] = 0;
}

int String::reset() {
    data[maxlen - 1] = 0;
    len = StrLib::length(data.get());
    if (ptr > len) ptr = len;
    return len;
}

int String::resize(int n) {
    if (n < 1) n = 1;
    std::unique_ptr<char[]> fresh(new char[n]);
    const int keep = len < n - 1 ? len : n - 1;
    std::memcpy(fresh.get(), data.get(), keep);
    fresh[keep] = 0;
    data = std::move(fresh);
    maxlen = n;
    len = keep;
    if (ptr > len) ptr = len;
    return 1;
}

int String::trunc(int n) {
    if (n < 0) n = len + n;
    if (n < 0) n = 0;
    if (n >= len) return 0;
    len = n;
    data[len] = 0;
    if (ptr > len) ptr = len;
    return 1;
}

int String::trimWS() {
    len = StrLib::trimWS(data.get());
    if (ptr > len) ptr = len;
    return len;
}

int String::stripWS() {
    len = StrLib::stripWS(data.get());
    if (ptr > len) ptr = len;
    return len;
}

int String::chop() {
    if (len == 0) return 0;
    data[--len] = 0;
    if (ptr > len) ptr = len;
    return 1;
}

int String::upCase() { return StrLib::upCase(data.get()); }

int String::lowCase() { return StrLib::lowCase(data.get()); }

int String::replace(char a, char b) { return StrLib::replace(data.get(), a, b); }

int String::index(char c) const { return StrLib::index(data.get(), c); }

int String::occurs(char c) const { return StrLib::occurs(data.get(), c); }

bool String::contains(const char* text) const { return StrLib::contains(data.get(), text); }

bool String::equal(const char* text) const { return StrLib::equal(data.get(), text); }

bool String::iequal(const char* text) const { return StrLib::iequal(data.get(), text); }

bool String::equal(const char* text, int n) const { return StrLib::equal(data.get(), text, n); }

bool String::iequal(const char* text, int n) const { return StrLib::iequal(data.get(), text, n); }

int String::scanf(const char* fmt, ...) const {
    if (!fmt) return 0;
    va_list ap;
    va_start(ap, fmt);
    const int n = std::vsscanf(data.get(), fmt, ap);
    va_end(ap);
    return n;
}

int String::scanp(const char* fmt, ...) {
    if (!fmt) return 0;
    va_list ap;
    va_start(ap, fmt);
    const int n = std::vsscanf(data.get() + ptr, fmt, ap);
    va_end(ap);
    // Advance past one white-space separated token per converted item.
    for (int i = 0; i < n; ++i) {
        while (ptr < len && std::isspace(static_cast<unsigned char>(data[ptr]))) ++ptr;
        while (ptr < len && !std::isspace(static_cast<unsigned char>(data[ptr]))) ++ptr;
    }
    return n;
}

void String::print() const { std::printf("%s\n", data.get()); }

} // namespace HYX
