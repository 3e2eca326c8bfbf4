// One coded upper-air report (a TEMP or PILOT part) before decoding.
#ifndef HYX_UPAWMODATA_H
#define HYX_UPAWMODATA_H

#include "HYX/Date.h"
#include "HYX/Export.h"

namespace HYX {

class HYX_API UpaWmoData {
public:
    static constexpr int max_data = 1000;
    // Report parts; 13 to 18 are further codes accepted by the decoder.
    enum Part { TTAA = 1, TTBB, TTCC, TTDD, PPAA, PPBB, PPCC, PPDD, UUAA, UUBB, UUCC, UUDD };

    UpaWmoData() { init(); }

    void init();
    void setId(const char* text);
    const char* getId() const { return id; }
    void setWmo(const char* text);
    const char* getWmo() const { return wmo; }
    // The report text, cut to max_data - 1 characters.
    void setData(const char* text);
    const char* getData() const { return data; }
    void setDate(const Date& d) { date = d; }
    const Date& getDate() const { return date; }
    void setType(int t) { type = t; }
    int getType() const { return type; }
    void print() const;

    char id[11];
    char data[max_data];
    Date date;
    int type;
    char wmo[21];
};

} // namespace HYX

#endif
