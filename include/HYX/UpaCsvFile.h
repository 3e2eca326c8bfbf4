// Reader of soundings in comma-separated tables with a header row naming the columns: the
// Iowa Environmental Mesonet RAOB tables (station,valid,pres_hPa,hght_m,tmpc_C,dwpc_C,
// drct_deg,sknt_kt and the download form station,validUTC,levelcode,pressure_mb,height_m,
// tmpc,dwpc,drct,speed_kts) and the University of Wyoming CSV (time,longitude,latitude,
// pressure_hPa,geopotential height_m,... wind speed_m/s). Consecutive rows of one station
// and time make one sounding; the wind speed unit comes from its column name.
#ifndef HYX_UPACSVFILE_H
#define HYX_UPACSVFILE_H

#include "HYX/Export.h"
#include "HYX/UpaReader.h"

#include <array>
#include <string>
#include <string_view>

namespace HYX {

class Date;

class HYX_API UpaCsvFile : public UpaReader {
public:
    // What a column holds.
    enum Field { NONE = -1, STATION, TIME, LAT, LON, PRES, HGHT, TEMP, DEWP, DIR, SPD, LEVEL, NUM };

    int read(UpaData& out) override;

    // The field of a column name, and whether speeds in it are in m/s.
    static Field fieldOf(std::string_view name, bool& mps);
    // "1999-05-04T00:00:00Z", "1999-05-03 23:02:00" or "1999-05-04 00:00".
    static bool readTime(std::string_view text, Date& d);
    // True when the line is a header row this reader knows (a pressure column at least).
    static bool isHeader(std::string_view line);

protected:
    const char* kind() const override { return "UpaCsvFile"; }
    void start() override;

private:
    bool readHeader(std::string_view line);

    std::array<int, NUM> col{};
    bool mps = false;
    bool header = false;
    std::string key; // station and time of the sounding being read
};

} // namespace HYX

#endif
