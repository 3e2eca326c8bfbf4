// Region file look-up. Each line: region name, a one-word description, a number and
// the domain text; a line of a single word is a domain text by itself.
#include "HYX/Region.h"

#include "HYX/File.h"
#include "HYX/FileCache.h"
#include "HYX/FileTool.h"
#include "HYX/Hyx.h"
#include "HYX/LineTool.h"
#include "HYX/StrLib.h"
#include "HYX/String.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace HYX {

namespace {

int countWords(const char* s) {
    int n = 0;
    bool in = false;
    for (; *s; ++s) {
        const bool blank = *s == ' ' || *s == '\t';
        if (!blank && !in) ++n;
        in = !blank;
    }
    return n;
}

struct Entry {
    std::string region, domain;
    bool single; // a line of one word: a domain text that any name finds
};
using Entries = std::vector<Entry>;

Entries read(File& f) {
    Entries out;
    char line[256];
    while (LineTool::getLine(f, line, sizeof line) >= 0) {
        if (line[0] == '#') continue;
        char region[80], domain[80];
        const int n = std::sscanf(line, "%79s %*s %*d %79s", region, domain);
        if (n == 1 && countWords(line) == 1)
            out.push_back({region, region, true});
        else if (n == 2)
            out.push_back({region, domain, false});
    }
    return out;
}

} // namespace

int Region::get(const char* file, const char* name, String& text) {
    text.clear();
    const char* fname = StrLib::valid(file) ? file : default_file;
    String path;
    FileTool::addPath(Hyx::getDatabasePath(), fname, path);
    static FileCache<Entries> files(read);
    const std::shared_ptr<const Entries> entries = files.get(path.get());
    if (!entries) {
        Hyx::outWarning("Unable to open region file: %s\n", path.get());
        return 0;
    }
    for (const Entry& e : *entries) {
        if (e.single || !StrLib::valid(name) || StrLib::iequal(e.region.c_str(), name)) {
            text.copy(e.domain.c_str());
            return 1;
        }
    }
    return 0;
}

} // namespace HYX
