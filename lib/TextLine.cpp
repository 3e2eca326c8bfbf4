// Reading one line of a text table.
#include "HYX/TextLine.h"

#include "HYX/File.h"

#include <cstdio>
#include <cstring>

namespace HYX {

int TextLine::read(File& f, char* buf, int size) {
    if (!buf || size < 2) return 0;
    std::FILE* fp = f.getFP();
    if (!f.isOpen() || !fp) {
        buf[0] = 0;
        return 0;
    }
    std::memset(buf, 0, static_cast<size_t>(size));
    if (!std::fgets(buf, size, fp)) {
        buf[0] = 0;
        return 0;
    }
    // The buffer was zeroed, so the last non-zero byte ends what fgets read.
    int n = size - 1;
    while (n > 0 && buf[n - 1] == 0) --n;
    const bool complete = n > 0 && buf[n - 1] == '\n';
    for (int i = 0; i < n; ++i)
        if (buf[i] == 0) buf[i] = ' ';
    if (!complete && n == size - 1) {
        int c;
        while ((c = std::fgetc(fp)) != EOF && c != '\n') {
        }
    }
    while (n > 0 && (buf[n - 1] == '\n' || buf[n - 1] == '\r')) buf[--n] = 0;
    return 1;
}

} // namespace HYX
