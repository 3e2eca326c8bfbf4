// Reader of the station files of the Integrated Global Radiosonde Archive, version 2, plain
// or as the zip archives the archive serves: per sounding a header record ("#", station,
// date, hour, release time, number of levels, position) and level records in fixed
// columns (pressure in Pa, height in m, temperature and dew-point depression in tenths of
// a degree, wind in tenths of m/s). Values the archive's quality checks removed (-8888)
// and missing ones (-9999) stay missing.
#ifndef HYX_UPAIGRAFILE_H
#define HYX_UPAIGRAFILE_H

#include "HYX/Export.h"
#include "HYX/UpaReader.h"

#include <string_view>

namespace HYX {

class HYX_API UpaIgraFile : public UpaReader {
public:
    int read(UpaData& out) override;

    // A header record: station, date and position into out, the number of levels into
    // num; false when the line is not one.
    static bool readHeader(std::string_view line, UpaData& out, int& num);
    // A level record into lev (its level type marks the surface and tropopause); false
    // when the line is not one.
    static bool readLevel(std::string_view line, UpaLevel& lev);
    // The line looks like a header record.
    static bool isHeader(std::string_view line);

protected:
    const char* kind() const override { return "UpaIgraFile"; }
    void start() override;
};

} // namespace HYX

#endif
