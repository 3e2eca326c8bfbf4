// A set of named vector symbols read from a symbol file: strokes and filled polygons in a
// unit cell, coordinates stored times 100.
#ifndef HYX_SYMBOL_H
#define HYX_SYMBOL_H

#include "HYX/Export.h"
#include "HYX/Point.h"

#include <array>

namespace HYX {

class HYX_API Symbol {
public:
    static constexpr int MAX_SYMBOLS = 100;
    static constexpr int MAX_POINTS = 3000;
    static constexpr int NAME_SIZE = 15;
    // Point codes kept in x; such points carry CODE_MARK in y, which no coordinate reaches.
    static constexpr int END_STROKE = -1;
    static constexpr int END_FILL = -2;
    static constexpr int END_SYMBOL = -9;
    static constexpr int CODE_MARK = -9999;

    Symbol() { init(); }
    explicit Symbol(const char* path) {
        init();
        read(path);
    }

    void init();
    int init(const char* path) { return read(path); }
    int read(const char* path);
    int getNum() const { return num; }
    const char* getName(int i) const { return i >= 0 && i < num ? name[i] : ""; }
    // Selects the first symbol whose stored name equals the start of name.
    int setSymb(const char* name);
    // Next item: 0 at the symbol's end, 1 a point, 2 the end of a stroke, 3 the end of a
    // filled polygon.
    int get(Point& p);

    char name[MAX_SYMBOLS][NAME_SIZE] = {};
    std::array<int, MAX_SYMBOLS> index{};
    std::array<int, MAX_POINTS> x{};
    std::array<int, MAX_POINTS> y{};
    int num = 0;
    int symb = -1;

private:
    bool isCode(int i) const { return y[i] == CODE_MARK; }
};

} // namespace HYX

#endif
