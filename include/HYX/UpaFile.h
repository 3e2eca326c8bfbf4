// The front for upper-air data files: recognises a file's kind from its first word and
// hands reading and writing to the reader of that kind.
#ifndef HYX_UPAFILE_H
#define HYX_UPAFILE_H

#include "HYX/Date.h"
#include "HYX/Export.h"
#include "HYX/FileAttr.h"
#include "HYX/UpaHyxFile.h"

namespace HYX {

class String;
class Strings;
class UpaRawinData;

class HYX_API UpaFile {
public:
    // File kinds: not recognised, the suite's upper-air file, netCDF, a refused kind.
    enum Kind { UNKNOWN = 0, HYX = 1, NETCDF = 2, REFUSED = 3 };

    UpaFile() = default;
    explicit UpaFile(const char* name) { open(name); }
    UpaFile(const char* name, int acc, int kind) { open(name, acc, kind); }
    UpaFile(const UpaFile&) = delete;
    UpaFile& operator=(const UpaFile&) = delete;
    ~UpaFile() { close(); }

    // A kind of 0 asks for detection (reading and appending only).
    int open(const char* name, int acc, int kind);
    int open(const char* name) { return open(name, FileAttr::READ, 0); }
    // 1 "HYXUPA...", 2 "CDF...", 0 another first word, -1 when the file cannot be opened.
    static int checkType(const char* name);
    bool isOpen() const { return type == HYX && wfile.isOpen(); }
    int getType() const { return type; }
    int rewind() { return type == HYX ? wfile.rewind() : 0; }
    // 0 when a write to the file failed (or it was not open).
    int close();
    int read(UpaRawinData& rec) { return type == HYX ? wfile.read(rec) : 0; }
    // Limits read to the records of these stations (compared ignoring case); the others
    // are passed over without being decoded. No stations: every record again.
    void setStations(const Strings& ids) { wfile.setStations(ids); }
    int readId(String& id);
    int write(UpaRawinData& rec) { return type == HYX ? wfile.write(rec) : 0; }

    int getDate(Date& d) const;
    Date getDate() const;
    void setDate(const Date& d);
    const char* getDatestr() const { return ""; }

private:
    int type = UNKNOWN;
    int ver = 0;
    int access = FileAttr::READ;
    UpaHyxFile wfile;
    Date date;
    bool opened = false;
};

} // namespace HYX

#endif
