// Kinds of sounding files, recognised by name or by contents.
#include "HYX/UpaFormat.h"

#include "HYX/StrLib.h"
#include "HYX/UpaBufrFile.h"
#include "HYX/UpaCsvFile.h"
#include "HYX/UpaIgraFile.h"
#include "HYX/UpaSpcFile.h"
#include "HYX/UpaTextFile.h"
#include "HYX/UpaWmoFile.h"
#include "HYX/UpaWmoReader.h"
#include "HYX/UpaWyoFile.h"
#include "HYX/ZipFile.h"

#include <string>
#include <string_view>

namespace HYX {

namespace {

const struct {
    const char* name;
    UpaFormat::Kind kind;
} NAMES[] = {{"wyoming", UpaFormat::WYOMING}, {"csv", UpaFormat::CSV},
             {"iem", UpaFormat::CSV},         {"spc", UpaFormat::SPC},
             {"sharppy", UpaFormat::SPC},     {"igra", UpaFormat::IGRA},
             {"bufr", UpaFormat::BUFR},       {"coded", UpaFormat::CODED},
             {"temp", UpaFormat::CODED},      {"text", UpaFormat::TEXT}};

// How much of a file the contents test looks at.
constexpr size_t HEAD = 65536;
// BUFR messages may follow a transmission heading of a few lines.
constexpr size_t BUFR_HEAD = 512;

} // namespace

UpaFormat::Kind UpaFormat::fromName(const char* name) {
    for (const auto& n : NAMES)
        if (name && StrLib::iequal(name, n.name)) return n.kind;
    return UNKNOWN;
}

const char* UpaFormat::getName(Kind k) {
    for (const auto& n : NAMES)
        if (n.kind == k) return n.name;
    return "unknown";
}

UpaFormat::Kind UpaFormat::detect(const char* data, size_t len) {
    if (!data || len == 0) return UNKNOWN;
    if (ZipFile::isZip(data, len)) return IGRA;
    if (UpaBufrFile::findMessage(data, len < BUFR_HEAD ? len : BUFR_HEAD) >= 0) return BUFR;
    const std::string_view head(data, len < HEAD ? len : HEAD);
    if (head.find("%TITLE%") != std::string_view::npos) return SPC;
    // Wyoming pages title each sounding so, also those that say it is missing.
    if (head.find(" Observations at ") != std::string_view::npos) return WYOMING;
    // The first line that says something decides among the line formats.
    size_t at = 0;
    while (at < head.size()) {
        size_t end = head.find('\n', at);
        if (end == std::string_view::npos) end = head.size();
        const std::string_view line = head.substr(at, end - at);
        at = end + 1;
        if (line.find_first_not_of(" \t\r") == std::string_view::npos) continue;
        if (UpaIgraFile::isHeader(line)) return IGRA;
        if (UpaCsvFile::isHeader(line)) return CSV;
        if (UpaTextFile::isKeyword(line)) return TEXT;
        if (line[0] == '#') continue;
        break;
    }
    // Plain text whose first lines are not yet the keywords.
    for (size_t a = 0; a < head.size();) {
        size_t e = head.find('\n', a);
        if (e == std::string_view::npos) e = head.size();
        if (UpaTextFile::isKeyword(head.substr(a, e - a))) return TEXT;
        a = e + 1;
    }
    // Coded reports: a part identifier among the words.
    std::string word;
    for (size_t i = 0; i <= head.size(); ++i) {
        const char c = i < head.size() ? head[i] : ' ';
        if (c > ' ' && c < 127) {
            if (word.size() < 8) word += c;
            continue;
        }
        if (UpaWmoFile::getPartType(word.c_str())) return CODED;
        word.clear();
    }
    return UNKNOWN;
}

std::unique_ptr<UpaReader> UpaFormat::makeReader(Kind k) {
    switch (k) {
    case WYOMING:
        return std::make_unique<UpaWyoFile>();
    case CSV:
        return std::make_unique<UpaCsvFile>();
    case SPC:
        return std::make_unique<UpaSpcFile>();
    case IGRA:
        return std::make_unique<UpaIgraFile>();
    case BUFR:
        return std::make_unique<UpaBufrFile>();
    case CODED:
        return std::make_unique<UpaWmoReader>();
    case TEXT:
        return std::make_unique<UpaTextFile>();
    default:
        return nullptr;
    }
}

} // namespace HYX
