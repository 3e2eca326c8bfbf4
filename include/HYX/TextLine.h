// Reading one line of a text table whatever the file holds: over-long lines are cut (the
// rest is skipped), stray zero bytes become blanks and the line end is removed.
#ifndef HYX_TEXTLINE_H
#define HYX_TEXTLINE_H

namespace HYX {

class File;

class TextLine {
public:
    // 1 when a line was read into buf (at most size - 1 characters), 0 at the end.
    static int read(File& f, char* buf, int size);
};

} // namespace HYX

#endif
