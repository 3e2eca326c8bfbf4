// Small numeric and text helpers shared by contouring, colours and variables.
#include "HYX/Tools.h"

#include "HYX/String.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace HYX {

namespace {

bool digit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Formats v with d decimals, dropping trailing zeros by lowering d.
void formatTrimmed(float v, int d, String& out) {
    char buf[64];
    while (d > 0) {
        std::snprintf(buf, sizeof buf, "%.*f", d, v);
        const int n = static_cast<int>(std::strlen(buf));
        if (n > 0 && buf[n - 1] != '0') break;
        --d;
    }
    if (d < 0) d = 0;
    std::snprintf(buf, sizeof buf, "%.*f", d, v);
    out.copy(buf);
}

} // namespace

bool Tools::isInt(const char* t) {
    if (!t || !*t) return false;
    return digit(t[0]) || (t[0] == '-' && digit(t[1]));
}

bool Tools::isFloat(const char* t) {
    if (!t || !*t) return false;
    if (digit(t[0])) return true;
    if (t[0] == '.' && digit(t[1])) return true;
    if (t[0] == '-' && digit(t[1])) return true;
    return t[0] == '-' && t[1] == '.' && digit(t[2]);
}

int Tools::toString(float v, String& out) {
    if (v == 0) {
        out.copy("0");
        return 1;
    }
    const int e = static_cast<int>(std::log10(std::fabs(v)) + 0.0001);
    if (e >= -5 && e < 6) {
        formatTrimmed(v, 4 - e, out);
    } else {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%e", v);
        out.copy(buf);
    }
    return 1;
}

int Tools::toString(float v, int n, String& out) {
    if (v == 0) {
        out.copy("0");
        return 1;
    }
    const int e = static_cast<int>(std::ceil(std::log10(std::fabs(v)) + 0.0001));
    if (e >= -5 && e < 6) {
        formatTrimmed(v, n - e, out);
    } else {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*e", n - 1 > 0 ? n - 1 : 0, v);
        out.copy(buf);
    }
    return 1;
}

int Tools::toInt(float v) {
    if (v == 0) return 0;
    const double a = std::fabs(v);
    int e = static_cast<int>(std::log10(a) + 5) - 5;
    int m;
    if (e < 0) {
        m = static_cast<int>(a * std::pow(10.0, 2 - e)) % 100;
        e += 10;
    } else if (e > 0) {
        m = static_cast<int>(a / std::pow(10.0, e - 1)) % 100;
    } else {
        m = static_cast<int>(10 * a) % 100;
    }
    const int code = e * 100 + m;
    return v < 0 ? -code : code;
}

float Tools::calcInterval(float max, float min, int n) {
    if (n < 1) n = 1;
    const float x = (max - min) / n;
    if (x >= 1) return std::ceil(x);
    if (x >= 0.1f) return std::ceil(10 * x) / 10;
    if (x >= 0.01f) return std::ceil(100 * x) / 100;
    if (x >= 0.001f) return std::ceil(1000 * x) / 1000;
    if (x >= 0.0001f) return std::ceil(10000 * x) / 10000;
    return x == 0 ? 1.0f : x;
}

void Tools::printClean(const unsigned char* bytes, int n) {
    for (int i = 0; bytes && i < n; ++i)
        if ((bytes[i] >= 32 && bytes[i] <= 126) || bytes[i] == '\n') std::putchar(bytes[i]);
}

void Tools::printControl(const unsigned char* bytes, int n) {
    for (int i = 0; bytes && i < n; ++i) {
        if (bytes[i] >= 32 && bytes[i] <= 126)
            std::putchar(bytes[i]);
        else if (bytes[i] == '\n')
            std::printf("[0A]\n");
        else
            std::printf("[%2.2X]", bytes[i]);
    }
}

void Tools::dumpHex(const unsigned char* bytes, int n) {
    for (int off = 0; bytes && off < n; off += 16) {
        std::printf("%8d: ", off);
        const int k = n - off < 16 ? n - off : 16;
        for (int i = 0; i < 16; ++i) {
            if (i < k)
                std::printf("%02X%c", bytes[off + i], i == 7 ? '|' : ' ');
            else
                std::printf("   ");
        }
        for (int i = 0; i < k; ++i) {
            const unsigned char c = bytes[off + i];
            std::putchar(c >= 32 && c <= 126 ? c : '~');
        }
        std::putchar('\n');
    }
}

} // namespace HYX
