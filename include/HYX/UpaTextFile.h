// Reader of decoded soundings written by hand or by a script as plain text, one item a
// line ("#" starts a comment):
//   DATE YYYYMMDDHH[MM]                  observation time of the soundings that follow
//   STATION id wmo lat lon elev          starts a sounding ("-" for what is not known)
//   p h t td dir spd [flags]             one level: mb, m above sea level, C, C, degrees,
//                                        knots; "-", "M", "nan" or -9999 for missing
//   END                                  ends a sounding (optional)
// Flags: S surface, T tropopause, W maximum wind. Without S the surface is the lowest
// level with a temperature.
#ifndef HYX_UPATEXTFILE_H
#define HYX_UPATEXTFILE_H

#include "HYX/Date.h"
#include "HYX/Export.h"
#include "HYX/UpaReader.h"

namespace HYX {

class HYX_API UpaTextFile : public UpaReader {
public:
    int read(UpaData& out) override;
    // The line begins with one of the format's keywords.
    static bool isKeyword(std::string_view line);

protected:
    const char* kind() const override { return "UpaTextFile"; }
    void start() override { date.init(); }

private:
    Date date;
};

} // namespace HYX

#endif
