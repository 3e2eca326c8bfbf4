// A stroke font: the polylines of each character in a cell whose capitals are 105 units
// high (baseline at 35, cell from 0 to 160) and whose width unit is 100 per character.
// Or, for a name beginning with "#", the description of a device font.
#ifndef HYX_GFONT_H
#define HYX_GFONT_H

#include "HYX/Export.h"
#include "HYX/Point.h"

#include <array>
#include <vector>

namespace HYX {

class HYX_API GFont {
public:
    static constexpr int MAX_POINTS = 7500;
    static constexpr int MAX_CHARS = 256;
    // Point codes: x at or above MOVE starts a new stroke at x - MOVE; END_GLYPH ends a
    // glyph; END_FILE ends the font file.
    static constexpr int MOVE = 128;
    static constexpr int END_FILE = 254;
    static constexpr int END_GLYPH = 255;
    static constexpr int BLANK_WIDTH = 40;

    enum Type { STROKE = 1, DEVICE = 2 };

    // Reads "modern.fnt" from the database path when it is there.
    GFont();
    explicit GFont(const char* path);

    void clear();
    int read(const char* path);
    bool isOpen() const { return opened; }
    int getType() const { return type; }
    const char* getName() const { return name; }
    int getHeight() const { return height; }
    int getWidth(int ch) const;
    bool hasChar(int ch) const;
    // Positions the reader at the glyph of ch; false when ch has none.
    bool setChar(int ch);
    // Next glyph point: 0 at the glyph's end, 2 a move (start of a stroke), 1 a draw point.
    int get(Point& p);

    char name[100] = {};
    int type = STROKE;
    // The points of all glyphs, as many as were read (at most MAX_POINTS).
    std::vector<int> x;
    std::vector<int> y;
    std::array<int, MAX_CHARS> width{};
    std::array<int, MAX_CHARS> index{};
    int height = 0;
    int ch = -1;
    bool opened = false;

private:
    int readDevice(const char* spec);
};

} // namespace HYX

#endif
