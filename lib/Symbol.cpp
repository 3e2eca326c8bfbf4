// Named vector symbols from a symbol file.
#include "HYX/Symbol.h"

#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace HYX {

namespace {

// Next white-space separated token, cut to size - 1 characters; false at the end.
bool nextToken(FILE* fp, char* tok, int size) {
    int c = std::fgetc(fp);
    while (c != EOF && std::isspace(c)) c = std::fgetc(fp);
    if (c == EOF) return false;
    int n = 0;
    while (c != EOF && !std::isspace(c)) {
        if (n < size - 1) tok[n++] = static_cast<char>(c);
        c = std::fgetc(fp);
    }
    tok[n] = 0;
    return true;
}

// A coordinate times 100, kept far from the code mark whatever the file holds.
int toUnits(float v) {
    if (!std::isfinite(v)) return 0;
    const float u = (v + 0.001f) * 100.0f;
    if (u > 9000.0f) return 9000;
    if (u < -9000.0f) return -9000;
    return static_cast<int>(u);
}

} // namespace

void Symbol::init() {
    for (auto& n : name) n[0] = 0;
    index.fill(-1);
    x.fill(0);
    y.fill(0);
    num = 0;
    symb = -1;
}

int Symbol::read(const char* path) {
    String full(256);
    FileTool::addUserPath(path, full);
    FILE* fp = StrLib::valid(path) ? std::fopen(full.get(), "r") : nullptr;
    if (!fp) {
        Hyx::outWarning("Symbol_read: unable to load symbol file: %s\n", path ? path : "");
        return 0;
    }
    init();
    char tok[64];
    int n = 0;
    bool wantName = true;
    auto addCode = [&](int code) {
        x[n] = code;
        y[n] = CODE_MARK;
        ++n;
    };
    // One slot is always kept for the code that closes the table.
    while (n < MAX_POINTS - 1 && nextToken(fp, tok, sizeof tok)) {
        if (wantName) {
            if (num >= MAX_SYMBOLS) break;
            StrLib::copy(name[num], NAME_SIZE, tok);
            index[num] = n;
            wantName = false;
        } else if (StrLib::equal(tok, "L")) {
            addCode(END_STROKE);
        } else if (StrLib::equal(tok, "F")) {
            addCode(END_FILL);
        } else if (StrLib::equal(tok, "$")) {
            addCode(END_SYMBOL);
            ++num;
            wantName = true;
        } else {
            float px, py;
            if (std::sscanf(tok, "%f,%f", &px, &py) == 2) {
                x[n] = toUnits(px);
                y[n] = toUnits(py);
                ++n;
            }
        }
    }
    addCode(END_SYMBOL);
    std::fclose(fp);
    symb = -1;
    return 1;
}

int Symbol::setSymb(const char* text) {
    symb = -1;
    if (!text) return 0;
    for (int i = 0; i < num; ++i) {
        const int len = StrLib::length(name[i]);
        if (len > 0 && StrLib::equal(text, name[i], len)) {
            symb = index[i];
            return 1;
        }
    }
    return 0;
}

int Symbol::get(Point& p) {
    if (symb < 0 || symb >= MAX_POINTS) return 0;
    if (isCode(symb)) {
        const int code = x[symb];
        if (code == END_STROKE) {
            ++symb;
            return 2;
        }
        if (code == END_FILL) {
            ++symb;
            return 3;
        }
        return 0;
    }
    p.set(x[symb] / 100.0f, y[symb] / 100.0f);
    ++symb;
    return 1;
}

} // namespace HYX
