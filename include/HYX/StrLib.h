// Static functions on plain zero-terminated texts. Null texts are accepted everywhere
// and give 0, false or an empty result.
#ifndef HYX_STRLIB_H
#define HYX_STRLIB_H

#include "HYX/Export.h"

#include <cstdarg>
#include <memory>

namespace HYX {

class HYX_API StrLib {
public:
    // Comparison
    static bool equal(const char* a, const char* b);
    static bool iequal(const char* a, const char* b);
    static int icmp(const char* a, const char* b);
    static int icmp(const char* a, const char* b, int n);
    // n >= 1: the first n characters are equal; n <= 0: the last -n characters of a equal b.
    static bool equal(const char* a, const char* b, int n);
    static bool iequal(const char* a, const char* b, int n);
    // The first n characters of a equal b and b has exactly n characters.
    static bool equal(const char* a, int n, const char* b);

    // Bounded copies: at most size - 1 characters, always terminated.
    static int copy(char* dst, int size, const char* src);
    static int copy(char* dst, int size, char c);
    static int copy(char* dst, int size, const char* src, int n);
    static std::unique_ptr<char[]> acopy(const char* text);
    static std::unique_ptr<char[]> acopy(const char* text, int n);
    static int append(char* dst, int size, const char* src);
    static int append(char* dst, int size, const char* src, int n);
    static int printf(char* dst, int size, const char* fmt, ...)
        __attribute__((format(printf, 3, 4)));
    static int aprintf(char* dst, int size, const char* fmt, ...)
        __attribute__((format(printf, 3, 4)));
    static int vprintf(char* dst, int size, const char* fmt, va_list ap);

    // Editing in place
    static int trimWS(char* text);
    static int stripWS(char* text);
    static int chop(char* text);
    static int clear(char* text);
    static int length(const char* text);
    static int replace(char* text, char a, char b);
    static int upCase(char* text);
    static int lowCase(char* text);
    static int upCaseFirst(char* text);
    static int clean(char* text);

    // Searching
    static int index(const char* text, char c);
    static int index(const char* text, char c, int start);
    static int lastIndex(const char* text, char c);
    static int occurs(const char* text, char c);
    static bool contains(const char* text, const char* sub);
    static int where(const char* text, const char* sub);
    static bool hasToken(const char* text, char delim, const char* token);
    // Start of the i-th delim-separated field, or null when there are fewer fields.
    static const char* getField(const char* text, char delim, int i);
    // Copies n characters from start (the rest when n < 0) into dst.
    static int subString(const char* text, int start, int n, char* dst, int size);

    // Numbers read from a fixed field; missing (-9999) when the field holds no number.
    static int toInt(const char* text);
    static int toInt(const char* text, int n);
    static int toInt(const char* text, int start, int n);
    static float toFloat(const char* text);
    static float toFloat(const char* text, int n);
    static float toFloat(const char* text, int start, int n);

    // Tests
    static bool valid(const char* text);
    static const char* valid(const char* text, const char* def);
    static bool validData(const char* text);
    static bool isNum(const char* text);
    static bool isNum(const char* text, int n);
    static bool isAlphaNum(const char* text);
    // Wildcard patterns: '*' any run, '?' one character; check ignores case.
    static bool match(const char* text, const char* pattern);
    static bool check(const char* text, const char* pattern);
};

} // namespace HYX

#endif
