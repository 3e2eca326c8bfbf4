// A reader of bulletins of coded upper-air reports (TEMP and PILOT parts) that hands them out
// one report part at a time, ready for UpaTool::decode.
//
// It takes GTS bulletins (start and end characters, CR CR LF line ends, heading lines, station
// numbers or product lines before the part identifier, "=" after each report) as well as
// reports written one part a line or wrapped without "=". A report runs from its part
// identifier to "=", a blank line, a heading line, the next part identifier or the end of the
// bulletin. Lines beginning with "#" are comments. NIL reports and parts of unknown kinds are
// skipped. A part too long for one UpaWmoData (significant levels of long soundings) comes
// out as several, each with the identification groups and a share of the levels (the
// winds of section 21212 after the temperatures, behind their section number).
#ifndef HYX_UPAWMOFILE_H
#define HYX_UPAWMOFILE_H

#include "HYX/Date.h"
#include "HYX/Export.h"
#include "HYX/UpaWmoData.h"

#include <deque>
#include <istream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace HYX {

class HYX_API UpaWmoFile {
public:
    // Words of one report kept at most; the longest real parts hold about 400.
    static constexpr int max_words = 2000;

    UpaWmoFile() = default;
    UpaWmoFile(const UpaWmoFile&) = delete;
    UpaWmoFile& operator=(const UpaWmoFile&) = delete;

    // A bulletin file, "-" for standard input; 0 when it cannot be read.
    int open(const char* name);
    // Reads the reports from text instead.
    void setText(const char* text);
    void close();
    // The date the reports' day and hour groups complete (their year and month).
    void setDate(const Date& d) { base = d; }
    // The next report part: 1, or -1 at the end of the input.
    int read(UpaWmoData& rep);
    // Which share of its report the part last read is: 0 for the first or only one.
    int getPiece() const { return piece; }

    // The part type (UpaWmoData::type) of a part identifier such as "TTAA" or "PPBB"; 0 for
    // any other word.
    static int getPartType(const char* word);

private:
    void addLine(const std::string& line);
    void addWord(const std::string& w);
    void finish();
    void emit(const UpaWmoData& rep, int head, int first, int last, int share,
              const char* prefix = nullptr);

    std::unique_ptr<std::istream> owned;
    std::istream* in = nullptr;
    Date base;
    bool inReport = false;
    int type = 0;
    std::vector<std::string> words;
    std::deque<std::pair<UpaWmoData, int>> pending; // parts and their share numbers
    int piece = 0;
};

} // namespace HYX

#endif
