// A file naming convention: a template of date, directory and key codes, looked up by a
// short tag in the name-convention file, that turns a date into a data file name and back,
// and finds the file of a date, the latest file or the file of a time request.
#ifndef HYX_NAMECONV_H
#define HYX_NAMECONV_H

#include "HYX/Date.h"
#include "HYX/Export.h"
#include "HYX/String.h"

#include <array>
#include <string>

namespace HYX {

class NameConvFile;

class HYX_API NameConv {
public:
    static constexpr int MAX_KEY = 20;
    // Steps of a latest-file search never exceed this, whatever the limit asks.
    static constexpr int MAX_STEPS = 100000;

    // A user key: the code letter and its value.
    struct Key {
        char c = 0;
        char value[20] = {0};
    };

    NameConv();
    explicit NameConv(const char* spec);

    // Empty templates, no keys, min_size 0, min_time missing, off 0.
    void init();
    // No explicit path, limit 500, not for output, no fixed or reference date.
    void initParam();

    // tag[:c=value...][,header[,type[,min=N][,size=N]]], "none" or "@template".
    // 0 when the spec is empty or the convention file cannot be read.
    int set(const char* spec);

    // which 0: the file template, 1: the header template; 0 when that template is empty.
    int encode(const Date& d, int which, String& out);
    int encodeFile(const Date& d, String& out) { return encode(d, 0, out); }
    int encodeHdr(const Date& d, String& out) { return encode(d, 1, out); }
    // The file of a date in the first directory alternative that holds it (else the
    // first); 1 when the file is there (or is for output).
    int setFile(const Date& d, NameConvFile& rec);
    // The file chosen by a time request such as "la", "la#24", "la-6", "-12",
    // "#2026120412" or "@name" (null means "la"). 1 when that file is there.
    int setLatest(const char* spec, NameConvFile& rec);
    // Reads the date (and extension, keys, directory) out of a file name; 0 when the
    // name does not fit the template.
    int decode(const char* text);
    int getDate(Date& d) const;

    // The shell pattern of the template (for listings), literal parts quoted.
    int makePattern(String& out) const;

    int setPath(const char* p);
    const char* getPath() const { return path.get(); }
    const char* getFile() const { return file; }
    const char* getHeader() const { return hdr; }
    int setExt(const char* e);
    const char* getExt() const { return ext; }
    int setKey(char c, const char* value);
    const char* getKey(char c) const;
    void setOffset(int o) { off = o; }
    int getOffset() const { return off; }
    // The template names a time unit, so that names change with the date.
    bool hasTimeCode() const { return off != Const::MISS; }
    int getMinSize() const { return min_size; }
    int getMinTime() const { return min_time; }
    const char* getType() const { return type; }
    const char* getParam() const { return param; }
    void setOutput(bool o) { output = o; }
    bool isOutput() const { return output; }
    void setLateLimit(int n) { limit = n; }
    int getLateLimit() const { return limit; }
    void setLateDate(const Date& d) { late_date = d; }
    void setFixDate(const DateVal& v) { fix_date = v; }
    // MMDDHH, DDHH, DHH, [-]H[:M], :M, -:M, NdH:M, or #YYYYMMDDHHNN (a fixed reference
    // time). 0 when the text has none of these forms.
    int setFixDate(const char* text);
    DateVal getFixDate() const { return fix_date; }
    int getNumPath() const { return npath; }
    int getCurPath() const { return cpath; }
    bool dirExists() const { return pexist; }
    void print() const;

private:
    struct Reader;
    bool readCode(Reader& r);
    int readConvFile(const char* tag, const char* spec_hdr, const char* spec_type);
    void computeOffset();
    void setTypeField(const char* field);
    void setParamField(const char* field);
    int getDirList(char code, const std::string& name, std::string& list) const;
    long referenceTime(const char*& p, Date& r) const;
    int searchLatest(const Date& t, int steps, bool forward, String& name, Date& found);
    void fillRecord(const Date& d, const String& name, NameConvFile& rec);

    char file[80];
    char hdr[80];
    String path;
    char ext[30];
    std::array<Key, MAX_KEY> key;
    int numkey;
    int min_size;
    int min_time;
    char type[20];
    char param[50];
    int off;
    Date date;
    DateVal fix_date;
    Date late_date;
    bool output;
    int limit;
    int cpath;
    int npath;
    bool pexist;
};

} // namespace HYX

#endif
