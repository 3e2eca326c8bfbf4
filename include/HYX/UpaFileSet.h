// The upper-air files a conversion writes: one per observation time, named by a naming
// convention (or one file named by the caller), each put in place whole at the end (the
// records go to a temporary file beside it, which then replaces it). A sounding far from
// the convention's times goes into the file of its nominal time, or with setOwnTime into
// a file of its own hour.
#ifndef HYX_UPAFILESET_H
#define HYX_UPAFILESET_H

#include "HYX/Date.h"
#include "HYX/Export.h"
#include "HYX/NameConv.h"
#include "HYX/UpaFile.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace HYX {

class UpaRawinData;

class HYX_API UpaFileSet {
public:
    // A sounding this far (seconds) from its nominal time is an off-hour one.
    static constexpr long ON_TIME = 90 * 60;

    struct Output {
        std::string name;
        Date date;
        int count = 0;
    };

    UpaFileSet() = default;
    UpaFileSet(const UpaFileSet&) = delete;
    UpaFileSet& operator=(const UpaFileSet&) = delete;
    ~UpaFileSet() { discard(); }

    // Files named by the convention tag (for example "upa_cvt") in directory dir; 0 when
    // the convention cannot be read.
    int setConvention(const char* tag, const char* dir);
    // Every sounding into the one file path (of the first sounding's time).
    void setSingle(const char* path) { single = path ? path : ""; }
    void setOwnTime(bool on) { own = on; }
    // Existing files keep their records and get the new ones after them.
    void setAppend(bool on) { append = on; }

    // The file time of an observation: its nominal time (the nearest of the convention's
    // times), or its own hour when it is off-hour and setOwnTime is on.
    Date fileTime(const Date& obs, bool& offHour) const;
    // Writes the record into the file of its date: 1, 0 when skipped (why says; a station
    // already in that file), -1 when the file cannot be written (why says). note tells
    // where an off-hour sounding went.
    int add(UpaRawinData& rec, std::string& why, std::string& note);
    // Puts every file written in place; 0 (err says) when one cannot be.
    int finish(std::string& err);
    // Removes the temporary files of a conversion that is given up.
    void discard();
    const std::vector<Output>& getOutputs() const { return outputs; }

private:
    struct Group {
        std::string temp;
        size_t output = 0;
        std::set<std::string> stations;
    };
    std::string nameOf(const Date& d, bool ownHour);
    int openGroup(const std::string& name, const Date& d, std::string& why);
    // Closes the file being written; 0 (why says) when some of it failed to be written.
    int closeCurrent(std::string& why);

    NameConv conv;
    NameConv ownConv;
    std::string single;
    bool own = false;
    bool append = false;
    std::map<std::string, Group> groups;
    std::vector<Output> outputs;
    UpaFile file;
    std::string current;
};

} // namespace HYX

#endif
