// One data file resolved by a naming convention: its name, header, date and spacing.
#ifndef HYX_NAMECONVFILE_H
#define HYX_NAMECONVFILE_H

#include "HYX/Date.h"
#include "HYX/Export.h"
#include "HYX/String.h"

namespace HYX {

class HYX_API NameConvFile {
public:
    NameConvFile() { init(); }

    void init();
    void setType(const char* t);
    const char* getType() const { return type; }
    void setFilename(const char* f);
    const char* getFilename() const { return filename.get(); }
    void setHeader(const char* h);
    const char* getHeader() const { return header.get(); }
    void setDate(const Date& d) { date = d; }
    const Date& getDate() const { return date; }
    void setParam(const char* p);
    const char* getParam() const { return param; }
    void setOffset(int o) { offset = o; }
    int getOffset() const { return offset; }
    void print() const;

private:
    char type[20];
    // Full paths are kept whole, however long the data directories are.
    String filename;
    String header;
    Date date;
    char param[50];
    int offset;
};

} // namespace HYX

#endif
