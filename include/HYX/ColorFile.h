// Colour table files: one colour a line ("name r g b" with fractions, or "name #RRGGBB",
// optionally after an index), "#" comments, and "END" closing the fill sequence.
#ifndef HYX_COLORFILE_H
#define HYX_COLORFILE_H

#include "HYX/Export.h"

namespace HYX {

class ColorMap;
class File;

class HYX_API ColorFile {
public:
    // Capacity given to a table that has none when a file is read into it.
    static constexpr int DEFAULT_SIZE = 256;
    static constexpr int LINE_SIZE = 256;

    // A comma-separated list of table names, each looked up through the database path;
    // 1 when at least one could be read.
    static int read(const char* list, ColorMap& map);
    // One file by its path; 0 when it cannot be opened.
    static int readFile(const char* path, ColorMap& map);
    // The same, of a file already open; name is for the messages.
    static int readFile(File& file, const char* name, ColorMap& map);
    // One colour line (already trimmed); 1 when it defined a colour.
    static int decodeLine(const char* line, ColorMap& map);
};

} // namespace HYX

#endif
