// Owned, growable text with a capacity and a scan position.
#ifndef HYX_STRING_H
#define HYX_STRING_H

#include "HYX/Export.h"

#include <memory>

namespace HYX {

class HYX_API String {
public:
    static constexpr int DEFAULT_SIZE = 80;

    String();
    explicit String(int size);
    String(const char* text);
    String(const String& other);
    String& operator=(const String& other);
    String& operator=(const char* text);
    ~String();

    int set(const char* text) { return copy(text); }
    int set(const String& s) { return copy(s.get()); }
    int copy(const char* text);
    int copy(const char* text, int n);
    int copy(const String& s) { return copy(s.get()); }

    int append(const char* text);
    int append(const char* text, int n);
    int append(const String& s) { return append(s.get()); }
    int append(char c);

    // Formatting replaces (printf) or appends (aprintf), cut to the current capacity.
    int printf(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    int aprintf(const char* fmt, ...) __attribute__((format(printf, 2, 3)));

    const char* get() const { return data.get(); }
    const char* get(int i) const;
    char getChar(int i) const;
    int length() const { return len; }
    int maxLength() const { return maxlen; }
    bool valid() const { return len > 0; }
    bool isAlphaNum() const;
    void clear();
    int reset();
    int resize(int n);
    void rewind() { ptr = 0; }
    const char* getPtr() const { return data.get() + ptr; }

    int trunc(int n);
    int trimWS();
    int stripWS();
    int chop();
    int upCase();
    int lowCase();
    int replace(char a, char b);

    int index(char c) const;
    int occurs(char c) const;
    bool contains(const char* text) const;
    bool equal(const char* text) const;
    bool iequal(const char* text) const;
    bool equal(const char* text, int n) const;
    bool iequal(const char* text, int n) const;

    int scanf(const char* fmt, ...) const __attribute__((format(scanf, 2, 3)));
    // Scans from the scan position and advances it past what was read.
    int scanp(const char* fmt, ...) __attribute__((format(scanf, 2, 3)));
    void print() const;

    // Writable buffer of maxLength() bytes; call reset() after writing into it.
    char* buffer() { return data.get(); }

private:
    int clampIndex(int i) const;
    void ensure(int size);

    int len = 0;
    int maxlen = 0;
    std::unique_ptr<char[]> data;
    int ptr = 0;
};

} // namespace HYX

#endif
