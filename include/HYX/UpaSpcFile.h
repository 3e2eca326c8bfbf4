// Reader of the SPC and SHARPpy sounding text files: "%TITLE%", a title line with the
// station, the time as YYMMDD/HHMM and optionally "lat,lon", the column names, then
// "%RAW%" and one level a line (pressure, height, temperature, dew point, direction,
// speed in knots, comma-separated, -9999 for missing) up to "%END%".
#ifndef HYX_UPASPCFILE_H
#define HYX_UPASPCFILE_H

#include "HYX/Export.h"
#include "HYX/UpaReader.h"

#include <string_view>

namespace HYX {

class HYX_API UpaSpcFile : public UpaReader {
public:
    int read(UpaData& out) override;
    // Reads the title line (" OAX   140616/1900" or " BNA 140728/0000 36.25,-86.56").
    static bool readTitle(std::string_view text, UpaData& out);

protected:
    const char* kind() const override { return "UpaSpcFile"; }
};

} // namespace HYX

#endif
