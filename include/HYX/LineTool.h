// Line input for the text tables of the database: every reader takes one line at a
// time into a bounded buffer and drops the rest of an overlong line.
#ifndef HYX_LINETOOL_H
#define HYX_LINETOOL_H

#include "HYX/Export.h"

#include <string>

namespace HYX {

class File;

class HYX_API LineTool {
public:
    // No table has lines anywhere near this long: a longer one is taken for data that is
    // not text (or a stream that never ends) and ends the input.
    static constexpr long LONGEST_LINE = 65536;

    // Reads the next line into buf (at most size - 1 characters) without its line end
    // ("\n" or "\r\n"). When the line is longer, the rest of it is skipped and *cut is
    // set. Returns the length kept, or -1 at the end of the file and after a line longer
    // than LONGEST_LINE (*cut set too).
    static int getLine(File& file, char* buf, int size, bool* cut = nullptr);
    // The same into a std::string holding at most max characters.
    static int getLine(File& file, std::string& line, int max, bool* cut = nullptr);
};

} // namespace HYX

#endif
