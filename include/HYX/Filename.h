// The input-file selector of a drawing: a naming convention plus the selected file, chosen
// by name, by date, as the latest file or interactively, and runs of files back or forward
// from a base date or over an explicit list.
#ifndef HYX_FILENAME_H
#define HYX_FILENAME_H

#include "HYX/Date.h"
#include "HYX/Export.h"
#include "HYX/NameConv.h"
#include "HYX/String.h"
#include "HYX/Strings.h"

namespace HYX {

class NameConvFile;

class HYX_API Filename {
public:
    Filename();
    explicit Filename(const char* tag);
    Filename(const char* tag, const char* name);
    Filename(const char* tag, const Date& d);

    void init();
    int setNameConv(const char* tag);
    NameConv& getNameConv() { return conv; }
    const NameConv& getNameConv() const { return conv; }

    // Selects the file from the resources filename and current, else by asking (resource
    // inter), else the latest file. 1 when the selected file is there.
    int setFilePrompt(const char* prompt);
    // The same without asking: a text "name[,nh=span]" or "a,b,c" (a list run); null
    // falls back to the resources filename and current, then the latest file.
    int setFile(const char* text);
    // One answer: a file name, a name the convention decodes to a date, "#YYYYMMDDHH",
    // "cu", "cu=spec", "la..." (latest), "@path" (literal), "-" or "exit".
    int checkFile(const char* text);
    // The file of a date; 1 when it is there.
    int setDate(const Date& d);
    int getDate(Date& d) const;
    int getOffset() const { return file_off; }
    const char* getName() const { return name.get(); }
    // Element i of an explicit list, else the selected name (i = 0).
    const char* getName(int i) const;
    int setName(const char* n);
    int setHeader(const char* h);
    const char* getHeader() const { return hdr.get(); }
    bool validHeader() const { return hdr.valid(); }
    int setType(const char* t);
    const char* getType() const { return type; }
    bool isSet() const { return is_set; }
    bool isFixed() const { return fixed; }
    // The file was named (by the resource filename, an answer or "@path"), not chosen by a
    // date; getGiven is the text it was named by.
    bool isNamed() const { return named; }
    const char* getGiven() const { return given.get() ? given.get() : ""; }
    // The selected name exists (standard streams and command pipes always count).
    bool exist() const;
    int setPath(const char* p) { return conv.setPath(p); }
    void setOutput(bool o) { conv.setOutput(o); }
    void setLateLimit(int n) { conv.setLateLimit(n); }
    void setFixDate(const DateVal& v) { conv.setFixDate(v); }
    int setFixDate(const char* text) { return conv.setFixDate(text); }
    void setLateDate(const Date& d) { conv.setLateDate(d); }
    void setBaseDate(const Date& d) { base_date = d; }
    const Date& getBaseDate() const { return base_date; }

    // n >= 0 files forward, n < 0 -n files back from the base date.
    void setNumFiles(int n);
    // [-]H[:M][,H[:M]]: a span of hours (back with "-") and the spacing (else the
    // convention's). -72 over 12-hourly files gives 7 files.
    int setNumFiles(const char* text);
    int getNumFiles() const { return num_file; }
    // File i of the run, oldest first for a backward run; 0 out of range.
    int setFile(int i);

    // Lists the files of the convention with "ls -x"; 1 when the listing ran.
    int listFile() const;
    void print() const;
    void printConv() const { conv.print(); }

private:
    int setLatest(const char* spec);
    int setLiteral(const char* text);
    int useFileList(const char* list, const char* current);
    void takeRecord(const NameConvFile& rec);

    bool is_set;
    bool fixed;
    bool named;
    String given;
    char type[30];
    String name;
    String hdr;
    char param[50];
    Date date;
    Date base_date;
    NameConv conv;
    Strings files;
    int num_file;
    int file_off;
    int num_type;
    int num_dir;
};

} // namespace HYX

#endif
