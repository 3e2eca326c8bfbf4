// A cursor over one line of text for the parsers of small text formats: blanks, numbers,
// words, comma-separated cells and fixed columns.
#ifndef HYX_LINESCAN_H
#define HYX_LINESCAN_H

#include "HYX/Export.h"

#include <string_view>

namespace HYX {

class HYX_API LineScan {
public:
    explicit LineScan(std::string_view text) : line(text) {}

    bool atEnd() const { return pos >= line.size(); }
    void skipBlanks();
    // The next blank-separated word (empty at the end).
    std::string_view word();
    // The text up to the next delim (or the end), the delimiter consumed; blanks around it
    // are dropped.
    std::string_view cell(char delim = ',');
    // A number taking the whole next word; false (and the word left) when it is not one.
    bool number(float& v);
    // Consumes text when it comes next (after blanks), ignoring case.
    bool keyword(std::string_view text);
    std::string_view rest() const { return line.substr(pos < line.size() ? pos : line.size()); }
    size_t getPos() const { return pos; }

    // The text of columns [start, end) of a line, blanks dropped; empty beyond its end.
    static std::string_view column(std::string_view line, size_t start, size_t end);
    // Text that is one number and nothing else (blanks around it allowed); v is left
    // alone otherwise. Non-finite values are refused.
    static bool toNumber(std::string_view text, float& v);
    static bool toInt(std::string_view text, long& v);
    static std::string_view trim(std::string_view text);

private:
    std::string_view line;
    size_t pos = 0;
};

} // namespace HYX

#endif
