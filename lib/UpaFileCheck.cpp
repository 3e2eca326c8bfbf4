// Why an upper-air file cannot be read.
#include "HYX/UpaFileCheck.h"

#include "HYX/Date.h"
#include "HYX/DateTool.h"
#include "HYX/File.h"
#include "HYX/FileTool.h"
#include "HYX/LineTool.h"
#include "HYX/StrLib.h"
#include "HYX/UpaFile.h"

namespace HYX {

namespace {

constexpr int SHOWN = 40; // characters of a line quoted in a message

// A line as it can be shown: printable characters only, cut to SHOWN.
std::string quoted(const char* line) {
    std::string out = "\"";
    for (int i = 0; line[i] && i < SHOWN; ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        out += c >= 32 && c < 127 ? static_cast<char>(c) : '?';
    }
    if (StrLib::length(line) > SHOWN) out += "...";
    return out + "\"";
}

} // namespace

std::string UpaFileCheck::problem(const char* path) {
    if (!StrLib::valid(path)) return "has no name";
    if (path[0] == '|' || FileTool::isStdio(path)) return "";
    const std::string why = FileTool::inputProblem(path);
    if (!why.empty()) return why;

    File f(path, "r");
    if (!f.isOpen()) return "cannot be read";
    char line[128];
    bool cut = false;
    if (LineTool::getLine(f, line, sizeof line, &cut) < 0)
        return cut ? "is not an upper-air file: line 1 never ends" : "is empty";
    const int kind = UpaFile::checkType(path);
    if (kind == UpaFile::NETCDF) return "is a netCDF file, which this program does not read";
    if (kind != UpaFile::HYX) return "is not an upper-air file: line 1 is " + quoted(line);
    if (LineTool::getLine(f, line, sizeof line, &cut) < 0)
        return "is not an upper-air file: it ends before its date line";
    StrLib::trimWS(line);
    Date d;
    if (!DateTool::decode(line, d) || !d.isSet())
        return "is not an upper-air file: line 2 is not a date: " + quoted(line);
    return "";
}

} // namespace HYX
