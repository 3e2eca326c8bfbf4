// A cursor over one line of text for the parsers of small text formats: blanks, numbers,
// words, comma-separated cells and items, bracketed groups, key=value items and fixed columns.
#ifndef HYX_LINESCAN_H
#define HYX_LINESCAN_H

#include "HYX/Export.h"

#include <string_view>
#include <vector>

namespace HYX {

class HYX_API LineScan {
public:
    explicit LineScan(std::string_view text) : line(text) {}

    bool atEnd() const { return pos >= line.size(); }
    // The next character, 0 at the end.
    char peek() const { return atEnd() ? 0 : line[pos]; }
    void skipBlanks();
    // Moves on n characters (no further than the end).
    LineScan& skip(size_t n);
    // Consumes c when it is the next character.
    bool take(char c);
    // Whether the text at the cursor begins with text (case counts); nothing is consumed.
    bool startsWith(std::string_view text) const { return rest().substr(0, text.size()) == text; }
    // The next blank-separated word (empty at the end).
    std::string_view word();
    // The text up to the next delim (or the end), the delimiter consumed; blanks around it
    // are dropped.
    std::string_view cell(char delim = ',');
    // One item of an option list: the text up to the next delim, kept as it is; an item in
    // double quotes runs to the quote before a delim or the end and may hold delimiters.
    std::string_view item(char delim = ',');
    // The next n characters (fewer at the end).
    std::string_view chars(size_t n);
    // The text before the next stop character (left for the caller), or the rest.
    std::string_view upTo(char stop);
    // Exactly n decimal digits, nothing else; false (and nothing consumed) otherwise.
    bool digits(int n, int& v);
    // A number taking the whole next word; false (and the word left) when it is not one.
    bool number(float& v);
    // The longest number at the cursor after blanks, as the C library reads one (trailing
    // text allowed); false (and nothing consumed) when none is there.
    bool real(float& v);
    bool real(double& v);
    bool integer(int& v);
    // A plain decimal number: digits with an optional fraction, no sign or exponent, whole
    // part at most 1e7; false (and nothing consumed) otherwise.
    bool decimal(float& v);
    // Two numbers as real() reads them with sep between them ("8.5x11", "10:7.5").
    bool pair(char sep, float& a, float& b) { return real(a) && take(sep) && real(b); }
    // Integers separated by sep, at most max of them: how many were read.
    int integers(char sep, int* v, int max);
    // Consumes text when it comes next (after blanks), ignoring case.
    bool keyword(std::string_view text);
    // A group in open/close brackets at the cursor (after blanks): its inside, the closing
    // bracket consumed. Without the closing bracket the group runs to the end and false is
    // returned with inside set; without the opening bracket nothing is consumed.
    bool group(char open, char close, std::string_view& inside);
    std::string_view rest() const { return line.substr(pos < line.size() ? pos : line.size()); }
    size_t getPos() const { return pos; }

    // The text of columns [start, end) of a line, blanks dropped; empty beyond its end.
    static std::string_view column(std::string_view line, size_t start, size_t end);
    // Text that is one number and nothing else (blanks around it allowed); v is left
    // alone otherwise. Non-finite values are refused.
    static bool toNumber(std::string_view text, float& v);
    static bool toInt(std::string_view text, long& v);
    static std::string_view trim(std::string_view text);
    // The text of a key=value item after its first "="; false without one.
    static bool value(std::string_view item, std::string_view& v);
    // The text from character n on (empty when it is shorter).
    static std::string_view from(std::string_view text, size_t n) {
        return LineScan(text).skip(n).rest();
    }
    // The number at the start of text as the C library reads one; 0 without one.
    static float floatOf(std::string_view text);
    static int intOf(std::string_view text);
    static bool istartsWith(std::string_view text, std::string_view prefix);
    static bool iendsWith(std::string_view text, std::string_view suffix);
    static bool iequal(std::string_view a, std::string_view b);
    // The items of an option list (see item()); none for an empty text.
    static std::vector<std::string_view> items(std::string_view text, char delim = ',');

private:
    std::string_view line;
    size_t pos = 0;
};

} // namespace HYX

#endif
