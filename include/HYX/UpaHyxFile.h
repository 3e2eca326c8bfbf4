// Reader and writer of the suite's upper-air files ("HYXUPAx", version 5): one observation
// time per file, one record per station in five-character groups modelled on the TEMP code.
#ifndef HYX_UPAHYXFILE_H
#define HYX_UPAHYXFILE_H

#include "HYX/Date.h"
#include "HYX/Export.h"
#include "HYX/File.h"
#include "HYX/TokenStream.h"

#include <string>
#include <unordered_set>
#include <vector>

namespace HYX {

class String;
class Strings;
class UpaRawinData;

class HYX_API UpaHyxFile {
public:
    // Room an encoder needs for one group and its terminating zero.
    static constexpr int GROUP_SIZE = 8;

    UpaHyxFile() { init(); }
    explicit UpaHyxFile(const char* name, int acc = FileAttr::READ) {
        init();
        open(name, acc);
    }
    UpaHyxFile(const UpaHyxFile&) = delete;
    UpaHyxFile& operator=(const UpaHyxFile&) = delete;
    ~UpaHyxFile() { close(); }

    void init();
    // 1 when the first word begins with "HYXUPA", -1 for an empty file, 0 otherwise.
    static int checkType(const char* name);
    // The first blank-separated word of a file, cut to size - 1 characters: its length,
    // -1 when the file cannot be opened.
    static int firstWord(const char* name, char* word, int size);
    // Reading, writing or appending (an existing file keeps its header and date).
    int open(const char* name, int acc);
    bool isOpen() const { return opened; }
    // 0 when a write to the file failed (or it was not open).
    int close();
    int rewind();
    // The next record: 1, or 0 at the end of the file.
    int read(UpaRawinData& rec);
    // Limits read to the records of these stations (compared ignoring case); the others
    // are passed over without being decoded. No stations: every record again.
    void setStations(const Strings& ids);
    // The identifier of the next record, skipping its data: 1, or 0 at the end.
    int readId(String& id);
    // Writes the header lines first when they are not written yet. The surface level
    // may be added to the record's significant and wind lists when they are empty.
    int write(UpaRawinData& rec);
    int getCount() const { return cnt; }

    int getDate(Date& d) const {
        d = date;
        return date.isSet() ? 1 : 0;
    }
    Date getDate() const { return date; }
    void setDate(const Date& d) { date = d; }
    const char* getDatestr() const { return date_str; }

    // Group codecs. Decoders give -1 (PH, TD) or 0 (WD) for an absent group "X", 0 for a
    // group of missing values, 1 otherwise; encoders write "99999" and give 0 when there
    // is nothing to encode. out holds at least GROUP_SIZE characters.
    static int decodePH(const char* group, float& p, float& h);
    static int decodeTD(const char* group, float& t, float& td);
    static int decodeWD(const char* group, float& dir, float& spd);
    static int encodePH(float p, float h, char* out);
    static int encodeTD(float t, float td, char* out);
    static int encodeWD(float dir, float spd, char* out);

private:
    static constexpr int ID_SIZE = 11;
    static constexpr int HEAD_SIZE = 40;

    // The next blank-separated token, cut to size - 1 characters; 0 at the end of file.
    int token(char* buf, int size) { return scan.token(buf, size); }
    int skipRecord() { return scan.skipPast('$'); }
    // The station header token of the next record; 0 at the end of the file.
    int header(char* head);
    bool wanted(const char* head) const;
    static void station(const char* head, int& wmo, char* id, float& lat, float& lon);
    int readBody(UpaRawinData& rec);
    int readHeader();
    int writeHeader();
    void writeRecord(UpaRawinData& rec);

    int type;
    int ver;
    int access;
    long pos;
    int cnt;
    File file;
    char date_str[40];
    Date date;
    bool opened;
    TokenStream scan;
    std::unordered_set<std::string> stations; // lower case
};

} // namespace HYX

#endif
