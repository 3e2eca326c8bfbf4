// Owned list of texts, made by splitting a text at a delimiter (with double-quote
// protection) or at white space. Elements may be absent.
#ifndef HYX_STRINGS_H
#define HYX_STRINGS_H

#include "HYX/Export.h"

#include <optional>
#include <string>
#include <vector>

namespace HYX {

class HYX_API Strings {
public:
    Strings() = default;
    explicit Strings(int n) { set(n); }
    Strings(int n, const char* const* texts) { set(n, texts); }
    explicit Strings(const char* text) { set(text); }
    Strings(const char* text, char delim, int max = 0) { set(text, delim, max); }

    int set(int n);
    int set(int n, const char* const* texts);
    int set(const char* text);
    int set(const char* text, char delim, int max = 0);
    int set(int i, const char* text);
    // Appends one element (absent when text is null).
    int add(const char* text);

    int getNum() const { return static_cast<int>(vals.size()); }
    const char* getString(int i) const;
    const char* getString(int i, char c) const;
    const char* getString(int i, int k) const;
    const char* getStringAfter(int i, char c) const;
    char getChar(int i, int k) const;
    int getLength(int i) const;
    bool valid(int i) const;

    bool equal(int i, const char* text) const;
    bool equal(int i, int k, const char* text) const;
    bool equal(int i, const char* text, int n) const;
    bool iequal(int i, const char* text) const;
    bool iequal(int i, int k, const char* text) const;
    bool iequal(int i, const char* text, int n) const;
    int find(const char* text) const;
    int index(int i, char c) const;
    bool contains(int i, const char* text) const;
    bool check(int i, const char* pattern) const;

    int getInt(int i) const;
    int getInt(int i, int k) const;
    int getIntAfter(int i, char c) const;
    float getFloat(int i) const;
    float getFloat(int i, int k) const;
    float getFloatAfter(int i, char c) const;
    int scanf(int i, const char* fmt, ...) const __attribute__((format(scanf, 3, 4)));
    int scanf(int i, int k, const char* fmt, ...) const __attribute__((format(scanf, 4, 5)));

    void print() const;

private:
    std::vector<std::optional<std::string>> vals;
};

} // namespace HYX

#endif
