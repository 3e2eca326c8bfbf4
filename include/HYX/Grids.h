// A growable collection of grids, each slot with its description and a flag telling
// whether it holds a grid.
#ifndef HYX_GRIDS_H
#define HYX_GRIDS_H

#include "HYX/Export.h"
#include "HYX/Grid.h"
#include "HYX/GridSpec.h"

#include <vector>

namespace HYX {

class HYX_API Grids {
public:
    static constexpr int GROW = 10;

    Grids() = default;
    explicit Grids(int n) { setSize(n); }

    // Discards every grid and makes n empty slots.
    int setSize(int n);
    // n slots, keeping the contents of the existing ones.
    int resize(int n);
    // Stores the description in the next free slot and returns its index.
    int addSpec(const GridSpec& spec);
    int addSpec(const char* spec) { return addSpec(GridSpec(spec)); }
    const GridSpec& getSpec(int i) const;
    int addGrid(const Grid& g);
    int setGrid(int i, const Grid& g);
    int getGrid(int i, Grid& g) const;
    // The grid of slot i itself, or null out of range.
    Grid* get(int i) { return valid(i) ? &grd[static_cast<size_t>(i)] : nullptr; }

    bool isSet(int i) const { return valid(i) && flag[static_cast<size_t>(i)] != 0; }
    bool isVarSet(int i) const { return valid(i) && gs[static_cast<size_t>(i)].isVarSet(); }
    bool isVarSet() const;
    int getNumSet() const;
    int getNum() const { return num; }
    int getMax() const { return max; }

    int setValue(int k, int i, int j, float v);
    float getValue(int k, int i, int j) const;
    float getValue(int k, const GridPoint& g) const;
    float getValue(int k, const EarthPoint& e) const;
    // The value of every slot in use at one earth point (missing for empty slots).
    int getValue(const EarthPoint& e, std::vector<float>& out) const;

    // Applied to slot i, or to every slot when i is negative.
    int setDomain(const Domain& d, int i = -1);
    int allocData(int i = -1);
    int setDate(const Date& d, int i = -1);
    int setDatim(const char* text, int i = -1);
    int setInfo(const char* text, int i = -1);
    int setVar(const char* name, int i = -1);

    void print() const;
    void printStats() const;
    void printData() const;

private:
    bool valid(int i) const { return i >= 0 && i < max; }
    template <class F> int apply(int i, F f);

    std::vector<GridSpec> gs;
    std::vector<Grid> grd;
    std::vector<int> flag;
    int num = 0;
    int max = 0;
};

} // namespace HYX

#endif
