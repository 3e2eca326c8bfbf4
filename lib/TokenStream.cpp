// Blank-separated tokens of an open stream, read a block at a time.
#include "HYX/TokenStream.h"

#include <cstring>

namespace HYX {

void TokenStream::attach(FILE* f) {
    fp = f;
    head = tail = 0;
}

bool TokenStream::fill() {
    head = tail = 0;
    if (!fp) return false;
    if (!data) data.reset(new char[BLOCK]);
    tail = static_cast<int>(std::fread(data.get(), 1, BLOCK, fp));
    return tail > 0;
}

int TokenStream::token(char* buf, int size) {
    buf[0] = 0;
    for (;;) {
        while (head < tail && blank(data[head])) ++head;
        if (head < tail) break;
        if (!fill()) return 0;
    }
    int n = 0, len = 0;
    for (;;) {
        const int start = head;
        while (head < tail && !blank(data[head])) ++head;
        const int k = head - start;
        const int keep = k < size - 1 - n ? k : size - 1 - n;
        if (keep > 0) {
            std::memcpy(buf + n, data.get() + start, keep);
            n += keep;
        }
        len += k;
        if (head < tail || !fill()) break;
    }
    buf[n] = 0;
    return len;
}

int TokenStream::skipPast(char end) {
    // The character before the one looked at: the caller stands at the end of a token.
    char prev = 'x';
    for (;;) {
        if (head == tail && !fill()) return 0;
        const char* base = data.get();
        const void* hit = std::memchr(base + head, end, tail - head);
        if (!hit) {
            prev = base[tail - 1];
            head = tail;
            continue;
        }
        const int at = static_cast<int>(static_cast<const char*>(hit) - base);
        const bool starts = at > head ? blank(base[at - 1]) : blank(prev);
        prev = end;
        head = at + 1;
        if (!starts) continue;
        if (head == tail && !fill()) return 1; // the stream ends with it
        if (blank(data[head])) return 1;
    }
}

} // namespace HYX
