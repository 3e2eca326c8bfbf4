// Blank-separated tokens of an open stream, read a block at a time. Skipping to a
// terminating token scans the bytes for it instead of splitting every token on the way.
#ifndef HYX_TOKENSTREAM_H
#define HYX_TOKENSTREAM_H

#include "HYX/Export.h"

#include <cstdio>
#include <memory>

namespace HYX {

class HYX_API TokenStream {
public:
    static constexpr int BLOCK = 65536;

    TokenStream() = default;
    TokenStream(const TokenStream&) = delete;
    TokenStream& operator=(const TokenStream&) = delete;

    // Reads from fp (not owned) from its current position; null detaches. Whatever was
    // buffered from the previous stream or position is dropped.
    void attach(FILE* fp);
    // The next token into buf, cut to size - 1 characters: its full length, 0 at the end.
    int token(char* buf, int size);
    // Passes every token up to and including the next one that is the character end
    // alone: 1, or 0 when the stream ends first. Starts at the end of a token.
    int skipPast(char end);

private:
    static bool blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
    bool fill();

    FILE* fp = nullptr;
    std::unique_ptr<char[]> data;
    int head = 0;
    int tail = 0;
};

} // namespace HYX

#endif
