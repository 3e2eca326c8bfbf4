// Colour table files.
#include "HYX/ColorFile.h"

#include "HYX/ColorMap.h"
#include "HYX/File.h"
#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/LineTool.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"
#include "HYX/Strings.h"

#include <cctype>
#include <cstdio>

namespace HYX {

int ColorFile::read(const char* list, ColorMap& map) {
    Strings names(list, ',');
    int done = 0;
    for (int i = 0; i < names.getNum(); ++i) {
        String name(names.getString(i));
        name.trimWS();
        if (!name.valid()) continue;
        String path(256);
        FileTool::addPath(Hyx::getDatabasePath(), name.get(), path);
        if (readFile(path.get(), map)) ++done;
        if (map.getNumFill() == 0) map.setNumFill(map.getNum());
    }
    return done > 0 ? 1 : 0;
}

int ColorFile::decodeLine(const char* line, ColorMap& map) {
    char name[20] = {};
    float r, g, b;
    unsigned int ir, ig, ib;
    const unsigned char c0 = static_cast<unsigned char>(line[0]);
    const bool indexed = std::isdigit(c0) || ((c0 == '-' || c0 == '+') &&
                                              std::isdigit(static_cast<unsigned char>(line[1])));
    if (indexed) {
        if (std::sscanf(line, "%*d %19s %f %f %f", name, &r, &g, &b) == 4)
            return map.add(name, r, g, b) >= 0;
        if (std::sscanf(line, "%*d %19s #%2X%2X%2X", name, &ir, &ig, &ib) == 4)
            return map.add(name, ir / 255.0f, ig / 255.0f, ib / 255.0f) >= 0;
        return 0;
    }
    if (std::sscanf(line, "%19s %f %f %f", name, &r, &g, &b) == 4)
        return map.add(name, r, g, b) >= 0;
    if (std::sscanf(line, "%19s #%2X%2X%2X", name, &ir, &ig, &ib) == 4)
        return map.add(name, ir / 255.0f, ig / 255.0f, ib / 255.0f) >= 0;
    return 0;
}

int ColorFile::readFile(const char* path, ColorMap& map) {
    // A device or a pipe might never end: tables are files.
    if (!FileTool::isFile(path)) return 0;
    File file;
    if (!file.open(path, "r")) return 0;
    return readFile(file, path, map);
}

int ColorFile::readFile(File& file, const char* path, ColorMap& map) {
    if (!file.isOpen()) return 0;
    if (map.getMax() < 1) map.init(DEFAULT_SIZE);
    char line[LINE_SIZE];
    int lineno = 0;
    while (LineTool::getLine(file, line, sizeof line) >= 0) {
        ++lineno;
        StrLib::trimWS(line);
        const char* text = line;
        while (std::isspace(static_cast<unsigned char>(*text))) ++text;
        if (!text[0] || text[0] == '#') continue;
        if (StrLib::iequal(text, "END")) {
            if (map.getNumFill() == 0) map.setNumFill(map.getNum());
            continue;
        }
        if (!decodeLine(text, map))
            Hyx::outDebug(2, "ColorFile::readFile: %s line %d not a colour: %s\n", path, lineno,
                          text);
    }
    if (map.getNumFill() == 0) map.setNumFill(map.getNum());
    return 1;
}

} // namespace HYX
