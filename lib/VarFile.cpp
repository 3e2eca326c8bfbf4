// Reading variable files.
#include "HYX/VarFile.h"

#include "HYX/LineTool.h"
#include "HYX/StrLib.h"
#include "HYX/VarFileData.h"

#include <cctype>
#include <cstring>
#include <string>

namespace HYX {

namespace {

std::string trim(const char* s) {
    const char* b = s;
    while (*b && std::isspace(static_cast<unsigned char>(*b))) ++b;
    const char* e = b + std::strlen(b);
    while (e > b && std::isspace(static_cast<unsigned char>(e[-1]))) --e;
    return std::string(b, e);
}

// Splits off the first white-space separated word of s.
std::string word(std::string& s) {
    size_t a = 0;
    while (a < s.size() && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
    size_t b = a;
    while (b < s.size() && !std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    const std::string w = s.substr(a, b - a);
    s.erase(0, b);
    return w;
}

} // namespace

int VarFile::open(const char* name) {
    file.close();
    return StrLib::valid(name) && file.open(name, "r") ? 1 : 0;
}

int VarFile::read(VarFileData& d) {
    d.init();
    if (!file.isOpen()) return -1;
    char buf[line_len + 1];
    for (;;) {
        if (LineTool::getLine(file, buf, sizeof buf) < 0) return -1;
        std::string line = trim(buf);
        if (line.empty() || line[0] == '#') continue;
        // Continuation lines: the '\' goes, the next line (trimmed) is appended.
        while (!line.empty() && line.back() == '\\') {
            line.pop_back();
            if (LineTool::getLine(file, buf, sizeof buf) < 0) break;
            if (line.size() < static_cast<size_t>(max_data)) line += trim(buf);
        }
        if (line.size() > static_cast<size_t>(max_data)) line.resize(max_data);
        const std::string name = word(line);
        d.setName(name.c_str());
        // A name cut to fit is marked so that it never matches by its first characters.
        d.flag = name.size() >= static_cast<size_t>(VarFileData::name_len) ? 1 : 0;
        d.setDesc(word(line).c_str());
        const std::string def = trim(line.c_str());
        d.data.copy(def.c_str());
        return 1;
    }
}

int VarFile::search(const char* name, VarFileData& d) {
    if (!StrLib::valid(name) || StrLib::length(name) >= VarFileData::name_len) return 0;
    while (read(d) == 1)
        if (d.flag == 0 && StrLib::equal(d.name, name)) return 1;
    d.init();
    return 0;
}

} // namespace HYX
