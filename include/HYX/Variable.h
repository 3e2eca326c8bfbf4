// A resolved variable: abbreviation, index, long name and units, and its kind (plain,
// probability of a threshold, or an ensemble member, mean, spread or probability).
#ifndef HYX_VARIABLE_H
#define HYX_VARIABLE_H

#include "HYX/Const.h"
#include "HYX/Export.h"

namespace HYX {

class String;

class HYX_API Variable {
public:
    static constexpr int max_abbr = 40;
    static constexpr int max_name = 40;
    static constexpr int max_units = 20;

    // Kinds (type).
    enum Kind {
        PLAIN = 0,
        PROB_BELOW = 1,   // below val1
        PROB_ABOVE = 2,   // above val2
        PROB_BELOW2 = 3,  // below val2
        PROB_ABOVE1 = 4,  // above val1
        PROB_BETWEEN = 5, // between val1 and val2
        ENS_MEMBER = 6,   // member val1
        ENS_MEAN = 7,
        ENS_DEV = 8,
        ENS_PROB_BELOW = 9,  // below val1
        ENS_PROB_ABOVE = 10, // above val2
        ENS_PROB_BETWEEN = 11
    };

    Variable() { init(); }
    explicit Variable(const char* a) { set(a); }
    Variable(const char* a, const char* u) { set(a, u); }

    void init();
    void set(const char* a);
    void set(const char* a, const char* u);
    // Reads a variable text: an index, a prefixed form such as prob[<273]temp or
    // ens[3]hght, or an abbreviation. 0 for an empty text.
    int decode(const char* s);

    void setType(int t) { type = t; }
    void setInd(int i) { ind = i; }
    void setVal1(float v) { val1 = v; }
    void setVal2(float v) { val2 = v; }
    void setName(const char* s);
    void setAbbr(const char* s);
    void setUnits(const char* s);
    int getType() const { return type; }
    int getInd() const { return ind; }
    float getVal1() const { return val1; }
    float getVal2() const { return val2; }
    const char* getName() const { return name; }
    const char* getAbbr() const { return abbr; }
    const char* getUnits() const { return units; }
    bool isProb() const { return (type >= 1 && type <= 5) || (type >= 9 && type <= 11); }
    bool isEns() const { return type >= 6 && type <= 11; }

    int toLabel(String& out) const;
    int toString(String& out) const;
    int toAbbrCode(String& out) const;
    int toIndCode(String& out) const;
    void print() const;

    int type;
    int ind;
    float val1;
    float val2;
    char abbr[max_abbr];
    char name[max_name];
    char units[max_units];

private:
    // The prefix of the kind as decode reads it, followed by base.
    int code(const char* base, String& out) const;
};

} // namespace HYX

#endif
