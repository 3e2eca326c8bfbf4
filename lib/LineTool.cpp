// Bounded line input shared by the table readers.
#include "HYX/LineTool.h"

#include "HYX/File.h"

#include <cstdio>
#include <vector>

namespace HYX {

int LineTool::getLine(File& file, char* buf, int size, bool* cut) {
    if (cut) *cut = false;
    if (!buf || size < 1) return -1;
    buf[0] = 0;
    FILE* fp = file.isOpen() ? file.getFP() : nullptr;
    if (!fp) return -1;
    int n = 0;
    int c = std::getc(fp);
    if (c == EOF) return -1;
    bool over = false;
    long total = 0;
    for (; c != EOF && c != '\n'; c = std::getc(fp)) {
        if (++total > LONGEST_LINE) {
            buf[0] = 0;
            if (cut) *cut = true;
            return -1;
        }
        if (n < size - 1) {
            // A stray NUL byte would end the text early; it reads as a blank.
            buf[n++] = c == 0 ? ' ' : static_cast<char>(c);
        } else if (c != '\r') {
            over = true;
        }
    }
    buf[n] = 0;
    if (n > 0 && buf[n - 1] == '\r') buf[--n] = 0;
    if (cut) *cut = over;
    return n;
}

int LineTool::getLine(File& file, std::string& line, int max, bool* cut) {
    if (max < 1) max = 1;
    std::vector<char> buf(static_cast<size_t>(max) + 1);
    const int n = getLine(file, buf.data(), max + 1, cut);
    line.assign(n > 0 ? buf.data() : "");
    return n;
}

} // namespace HYX
