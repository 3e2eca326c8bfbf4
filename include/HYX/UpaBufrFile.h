// Reader of radiosonde and pilot reports in WMO FM 94 BUFR (the TEMP and PILOT templates,
// traditional and high-resolution), decoded by ecCodes. Each message (or each subset of
// one) gives a sounding: station, launch time and position from the message, and per level
// pressure, geopotential height, temperature, dew point and wind with the level's vertical
// sounding significance (surface, tropopause, maximum wind). Soundings of more levels than
// a file record holds keep their significant levels and an even share of the others.
#ifndef HYX_UPABUFRFILE_H
#define HYX_UPABUFRFILE_H

#include "HYX/Export.h"
#include "HYX/UpaData.h"
#include "HYX/UpaReader.h"

#include <deque>
#include <utility>
#include <vector>

namespace HYX {

class HYX_API UpaBufrFile : public UpaReader {
public:
    int read(UpaData& out) override;
    // The offset of the first BUFR message in the bytes (after any transmission heading),
    // or -1.
    static long findMessage(const char* data, size_t len, size_t from = 0);
    // The longest a message may take to unpack, in seconds (5 unless set); one that takes
    // longer is left out with a warning.
    static void setTimeLimit(double seconds);

protected:
    const char* kind() const override { return "UpaBufrFile"; }
    void start() override;

private:
    void decode(size_t offset, size_t length, int number);

    std::vector<std::pair<size_t, size_t>> messages;
    size_t next = 0;
    std::deque<UpaData> pending;
};

} // namespace HYX

#endif
