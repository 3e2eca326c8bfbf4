// Soundings from bulletins of coded TEMP and PILOT reports: the parts of each station
// (read by UpaWmoFile, a later copy of a part replacing an earlier one) decoded together
// and given out as one sounding of the levels the reports carry. The reports give only
// the day and hour; the year and month come from setBase.
#ifndef HYX_UPAWMOREADER_H
#define HYX_UPAWMOREADER_H

#include "HYX/Date.h"
#include "HYX/Export.h"
#include "HYX/UpaReader.h"
#include "HYX/UpaTool.h"

#include <map>
#include <string>
#include <vector>

namespace HYX {

class UpaRawinData;
class UpaWmoData;

class HYX_API UpaWmoReader : public UpaReader {
public:
    UpaWmoReader();
    ~UpaWmoReader() override;

    // The year and month (and, when given, day and hour) the reports' groups complete.
    void setBase(const Date& d) { base = d; }
    // UpaTool::FULL (the default here) or UpaTool::PLAIN decoding.
    void setMode(int m) { mode = m; }
    int read(UpaData& out) override;

    // The levels of a decoded report as one list: standard and significant levels by
    // pressure (equal pressures combined), wind levels by height (feet turned into metres,
    // the surface wind joined to the surface level), markers as flags.
    static void toSounding(const UpaRawinData& raw, UpaData& out);

protected:
    const char* kind() const override { return "UpaWmoReader"; }
    void start() override;

private:
    Date base;
    int mode = UpaTool::FULL;
    std::vector<std::string> keys;
    std::map<std::string, std::map<int, std::vector<UpaWmoData>>> parts;
    size_t next = 0;
};

} // namespace HYX

#endif
