// Reader of the University of Wyoming sounding pages in the TEXT:LIST layout, as HTML or
// as plain text: one or many soundings a page, each a title line ("72681 BOI Boise
// Observations at 00Z 18 May 1980"), a table in fixed columns (PRES HGHT TEMP DWPT ...
// DRCT SKNT, blank for missing) and a block of station information and indices.
#ifndef HYX_UPAWYOFILE_H
#define HYX_UPAWYOFILE_H

#include "HYX/Export.h"
#include "HYX/UpaReader.h"

#include <string>
#include <string_view>
#include <vector>

namespace HYX {

class HYX_API UpaWyoFile : public UpaReader {
public:
    int read(UpaData& out) override;

    // The line of a page without its HTML tags.
    static std::string stripTags(std::string_view line);
    // Reads a title line into out (identifier, WMO number, date); false when the line is
    // not one.
    static bool readTitle(std::string_view text, UpaData& out);

protected:
    const char* kind() const override { return "UpaWyoFile"; }

private:
    struct Column {
        std::string name;
        size_t start, end;
    };
    void readHeader(std::string_view text);
    void readRow(std::string_view text, UpaData& out);
    void readInfo(std::string_view text, UpaData& out);
    float cell(std::string_view text, const char* col, bool& bad) const;

    std::vector<Column> cols;
    bool inTable = false;
};

} // namespace HYX

#endif
