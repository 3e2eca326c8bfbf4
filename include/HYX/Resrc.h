// The resource store: named text values in first-insertion order, each with the
// origin of its value (1 program, 2 file, 3 environment, 4 command line, 5 run time).
#ifndef HYX_RESRC_H
#define HYX_RESRC_H

#include "HYX/Export.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace HYX {

class String;

class HYX_API Resrc {
public:
    enum Origin { NONE = 0, PROG = 1, FILE = 2, ENV = 3, CMDLN = 4, RUN = 5 };

    struct ResrcItem {
        std::string name;
        std::string data;
        bool has_data = false;
        int type = 0;
    };

    int add(const char* name, const char* value, int type);
    int set(const char* name, const char* value, int type) { return add(name, value, type); }
    int set(const char* name, const char* value) { return add(name, value, RUN); }
    int set(const char* name, const String& value);
    int put(const char* name, const char* value) { return add(name, value, RUN); }
    // sep 0 means the newline character.
    int append(const char* name, const char* value, char sep = 0);
    int prepend(const char* name, const char* value, char sep = 0);

    const char* get(const char* name) const;
    const char* get(const char* name, const char* def) const;
    float get(const char* name, float def) const;
    int get(const char* name, int def) const;
    int getType(const char* name) const;
    bool getBool(const char* name) const;
    int scanf(const char* name, const char* fmt, ...) const __attribute__((format(scanf, 3, 4)));

    void rewind() { cur = 0; }
    const char* getNext();
    int getValues(String& name, String& value, int next);
    int getNum() const { return static_cast<int>(items.size()); }

    void print(const char* name) const;
    void printAll() const;
    void clear();

private:
    const ResrcItem* find(const char* name) const;
    ResrcItem* find(const char* name);

    std::vector<ResrcItem> items;
    std::unordered_map<std::string, size_t> index;
    size_t cur = 0;
};

} // namespace HYX

#endif
