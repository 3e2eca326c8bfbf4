// Helpers of the naming conventions: template codes, directory resources, the time texts
// of the latest-file search, fixed dates and the convention-file line reader.
#ifndef HYX_NAMECONVTOOL_H
#define HYX_NAMECONVTOOL_H

#include "HYX/Date.h"
#include "HYX/Export.h"

#include <string>

namespace HYX {

class File;

class HYX_API NameConvTool {
public:
    // Longer lines of a convention file are rejected.
    static constexpr int MAX_LINE = 1024;

    // One code of a template: %[N]c or %[N]{name}.
    struct Code {
        char c = 0;
        int n = 1;
        bool has_n = false;
        std::string name;
        size_t next = 0; // index after the code
    };

    // Parses the code whose "%" is at tpl[i]; false for a "%" that ends the template.
    static bool parseCode(const std::string& tpl, size_t i, Code& code);
    // The resource of a directory code letter (D: data_path ...), null for others.
    static const char* dirResource(char c);
    static bool isDirCode(char c);
    // Seconds between files: the smallest time code of the template times its count
    // (%d, %j days, %h hours, %n minutes); missing without a time code.
    static int getOffset(const char* tpl);

    // Reads one line without its end; an overlong line is read to its end and flagged.
    // False at the end of the file.
    static bool readLine(File& f, std::string& line, bool& overlong);
    // Digits YYYY[MM[DD[HH[NN]]]] at p, missing parts from 1980-01-01 00:00; p moves on.
    static bool parseDigits(const char*& p, Date& r);
    // An offset [Nd][H][:M] at p in minutes; false (p unmoved) when there is none.
    static bool parseOffset(const char*& p, long& minutes);
    // Whether a time request of the latest-file search ("#YYYYMMDDHH", "-6", "1d6",
    // "la#24", "la-6", ">...", "@file") reads as one in full; why says what is wrong.
    static bool checkRequest(const char* spec, std::string& why);
    // MMDDHH, DDHH, DHH, [-]H[:M], :M, -:M or NdH:M into fixed parts; 0 otherwise.
    static int parseFixDate(const char* text, DateVal& v);
    // The latest time at or before r that has the fixed parts of f (negative hour or
    // minute -k: rounded down to a multiple of k).
    static void applyFixDate(const DateVal& f, Date& r);

    // Moves a date by seconds without losing precision on long spans.
    static void stepSeconds(Date& d, long s);
    // A data file counts when it is a regular file larger than min_size bytes.
    static bool isData(const char* name, int min_size);
    static std::string shellQuote(const std::string& s);
};

} // namespace HYX

#endif
