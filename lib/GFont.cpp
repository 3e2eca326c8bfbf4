// Stroke font reader and glyph walker.
#include "HYX/GFont.h"

#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace HYX {

namespace {

// Reads a font file the way "%d " and "%1c" would, but without trusting the input:
// numbers are clamped, and garbage simply ends the read. The file is read whole first.
class FontScanner {
public:
    explicit FontScanner(FILE* f) {
        char chunk[16384];
        size_t got;
        while (text.size() < MAX_BYTES && (got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
            text.append(chunk, got);
    }

    bool readInt(int& v) {
        int c = skipSpace();
        bool neg = false;
        if (c == '-' || c == '+') {
            neg = c == '-';
            c = get();
        }
        if (c == EOF || !std::isdigit(c)) return false;
        long long n = 0;
        while (c != EOF && std::isdigit(c)) {
            if (n < 1000000000LL) n = n * 10 + (c - '0');
            c = get();
        }
        if (c != EOF) --pos;
        skipSpace(true);
        v = static_cast<int>(neg ? -n : n);
        return true;
    }

    bool readChar(int& c) {
        c = get();
        return c != EOF;
    }

private:
    // Far more than a full table of points takes, however spaced.
    static constexpr size_t MAX_BYTES = 64u << 20;

    int get() { return pos < text.size() ? static_cast<unsigned char>(text[pos++]) : EOF; }

    // Skips white space; returns the next character (consumed unless keep).
    int skipSpace(bool keep = false) {
        int c = get();
        while (c != EOF && std::isspace(c)) c = get();
        if (keep && c != EOF) --pos;
        return c;
    }

    std::string text;
    size_t pos = 0;
};

} // namespace

GFont::GFont() {
    clear();
    String path(256);
    if (FileTool::addPath(Hyx::getDatabasePath(), "modern.fnt", path)) read(path.get());
}

GFont::GFont(const char* path) {
    clear();
    read(path);
}

void GFont::clear() {
    name[0] = 0;
    type = STROKE;
    x.clear();
    y.clear();
    width.fill(0);
    index.fill(-1);
    height = 0;
    ch = -1;
    opened = false;
}

int GFont::readDevice(const char* spec) {
    clear();
    StrLib::copy(name, sizeof name, spec + 1);
    StrLib::replace(name, '_', ' ');
    height = 12;
    const int colon = StrLib::lastIndex(name, ':');
    if (colon >= 0) {
        const int n = std::atoi(name + colon + 1);
        if (n > 0) height = n;
        name[colon] = 0;
    }
    type = DEVICE;
    opened = true;
    return 1;
}

int GFont::read(const char* path) {
    if (!StrLib::valid(path)) return 0;
    if (path[0] == '#') return readDevice(path);
    String full(256);
    FileTool::addUserPath(path, full);
    FILE* fp = std::fopen(full.get(), "r");
    if (!fp) {
        Hyx::outWarning("GFont::read: unable to load font file: %s\n", path);
        return 0;
    }
    clear();
    StrLib::copy(name, sizeof name, path);
    FontScanner in(fp);
    int header = 0;
    if (!in.readInt(header)) {
        std::fclose(fp);
        Hyx::outWarning("GFont::read: not a font file: %s\n", path);
        return 0;
    }
    int n = 0;    // points stored
    int cur = -1; // character whose glyph is being read
    int c;
    if (header != END_GLYPH && in.readChar(c)) {
        cur = static_cast<unsigned char>(c);
        index[cur] = 0;
    }
    // One slot is always kept for the point that closes the table.
    while (n < MAX_POINTS - 1) {
        int xv, yv;
        if (!in.readInt(xv) || xv == END_FILE) break;
        if (xv == END_GLYPH) {
            x.push_back(END_GLYPH);
            y.push_back(END_GLYPH);
            ++n;
            if (!in.readChar(c)) break;
            cur = static_cast<unsigned char>(c);
            index[cur] = n;
            continue;
        }
        if (!in.readInt(yv)) break;
        x.push_back(xv);
        y.push_back(yv);
        ++n;
        const int gx = xv >= MOVE ? xv - MOVE : xv;
        if (cur >= 0 && xv < END_FILE && gx > width[cur]) width[cur] = gx;
    }
    x.push_back(END_GLYPH);
    y.push_back(END_GLYPH);
    std::fclose(fp);
    width[' '] = BLANK_WIDTH;
    type = STROKE;
    opened = true;
    return 1;
}

int GFont::getWidth(int c) const { return c >= 0 && c < MAX_CHARS ? width[c] : 0; }

bool GFont::hasChar(int c) const { return c >= 0 && c < MAX_CHARS && index[c] >= 0; }

bool GFont::setChar(int c) {
    c &= 0xFF;
    if (!hasChar(c)) return false;
    ch = index[c];
    return true;
}

int GFont::get(Point& p) {
    if (ch < 0 || ch >= static_cast<int>(x.size()) || x[ch] > END_FILE - 1) return 0;
    const int xv = x[ch], yv = y[ch];
    ++ch;
    if (xv >= MOVE) {
        p.set(static_cast<float>(xv - MOVE), static_cast<float>(yv));
        return 2;
    }
    p.set(static_cast<float>(xv), static_cast<float>(yv));
    return 1;
}

} // namespace HYX
