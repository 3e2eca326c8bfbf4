// Which requested station a sounding belongs to. An identifier is matched as given first;
// for a station that a data file does not hold under that name, the station file supplies
// the other forms of its identifier, tried in this order: the ICAO identifier with its
// leading country letter (KGJT for GJT), the identifier without it (GJT for KGJT), and the
// WMO block and station number (72476). The station file also places stations whose
// soundings carry no position.
#ifndef HYX_STATIONMATCH_H
#define HYX_STATIONMATCH_H

#include "HYX/Export.h"

#include <string>
#include <vector>

namespace HYX {

class EarthPoint;
class Strings;

class HYX_API StationMatch {
public:
    // How a sounding matched, best first.
    enum Form { GIVEN = 0, ICAO = 1, SHORT = 2, WMO = 3, NO_MATCH = 4 };

    StationMatch() = default;
    // The requested identifiers, and the station file their other forms come from; the
    // file is read only when a form or a position is first needed.
    StationMatch(const Strings& ids, const char* city_path);

    int getNum() const { return static_cast<int>(stations.size()); }
    const char* getId(int j) const;
    // How a sounding of identifier id and WMO number wmo matches station j: GIVEN until
    // useForms, after it any Form; NO_MATCH when it is another station.
    int match(int j, const char* id, int wmo) const;
    // Makes the other forms count; false when the station file gives none for any station.
    bool useForms();
    // The station file's position of station j; false when it has none.
    bool locate(int j, EarthPoint& e);
    // A form in words: "its ICAO identifier", "its WMO number", ...
    static const char* describe(int form);

private:
    struct Station {
        std::string id;
        std::vector<std::string> icao;
        std::vector<std::string> shortid;
        std::vector<int> wmo;
        float lat;
        float lon;
    };
    void readStationFile();

    std::vector<Station> stations;
    std::string city_path;
    bool loaded = false;
    bool forms = false;
};

} // namespace HYX

#endif
