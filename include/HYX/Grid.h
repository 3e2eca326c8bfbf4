// A two-dimensional field of values, row-major with the column index fastest, with its
// metadata (date, text, domain) and, optionally, an explicit plot position per point.
#ifndef HYX_GRID_H
#define HYX_GRID_H

#include "HYX/Date.h"
#include "HYX/Domain.h"
#include "HYX/EarthPoint.h"
#include "HYX/Export.h"
#include "HYX/GridPoint.h"
#include "HYX/GridSpec.h"
#include "HYX/Point.h"
#include "HYX/Range.h"
#include "HYX/VarSpec.h"

#include <memory>

namespace HYX {

class HYX_API Grid {
public:
    static constexpr int datim_len = 50;
    static constexpr int info_len = 90;
    static constexpr int gen_name_len = 20;

    Grid();
    Grid(int nx, int ny);
    Grid(const Grid& other);
    Grid& operator=(const Grid& other);
    ~Grid() = default;

    int init();
    int copyInfo(const Grid& other);
    int copyData(const Grid& other);

    // Size and arrays.
    int setSize(int nx, int ny);
    int getNx() const { return nx; }
    int getNy() const { return ny; }
    int allocData();
    int allocLocate();
    bool isData() const { return data != nullptr; }
    bool isLocate() const { return xloc != nullptr && yloc != nullptr; }
    bool isValue() const { return nx == 1 && ny == 1; }
    // Raw arrays (nx*ny each) or null.
    const float* getData() const { return data.get(); }
    float* getData() { return data.get(); }

    // Values.
    int setValue(int i, int j, float v);
    float getValue(int i, int j) const;
    float getValue(const GridPoint& g) const;
    float getValue(const EarthPoint& e) const;
    float getValue(const Point& p) const;

    // Positions.
    int setLocate(int i, int j, const Point& p);
    int getLocate(int i, int j, Point& p) const;
    Point getLocate(int i, int j) const;

    // Transformations through the grid's domain.
    int tran(const GridPoint& g, Point& p) const { return domain.tran(g, p); }
    int tran(const Point& p, GridPoint& g) const { return domain.tran(p, g); }
    int tran(const EarthPoint& e, Point& p) const { return domain.tran(e, p); }
    int tran(const Point& p, EarthPoint& e) const { return domain.tran(p, e); }
    int tran(const EarthPoint& e, GridPoint& g) const { return domain.tran(e, g); }
    int tran(const GridPoint& g, EarthPoint& e) const { return domain.tran(g, e); }
    int tran(const Domain& other, const Point& in, Point& out) const {
        return Domain::translate(other, domain, in, out);
    }
    int tran(const Point& in, const Domain& other, Point& out) const {
        return Domain::translate(domain, other, in, out);
    }

    // Metadata.
    int setType(int t) {
        type = t;
        return 1;
    }
    int getType() const { return type; }
    int setSource(int s) {
        source = s;
        return 1;
    }
    int getSource() const { return source; }
    int setVersion(int v) {
        version = v;
        return 1;
    }
    int getVersion() const { return version; }
    int setDatim(const char* text);
    const char* getDatim() const { return datim; }
    int setInfo(const char* text);
    const char* getInfo() const { return info; }
    int setDate(const Date& d) {
        date = d;
        return 1;
    }
    int setDate(const DateVal& d);
    const Date& getDate() const { return date; }
    DateVal getDateVal() const { return date.get(); }
    // The reference date plus the forecast time of the variable.
    Date getValidDate() const;
    int setGenName(const char* name);
    const char* getGenName() const { return gen_name; }
    int setModel(int m) {
        model = m;
        return 1;
    }
    int getModel() const { return model; }
    int setGridType(int t) {
        grid_type = t;
        return 1;
    }
    int getGridType() const { return grid_type; }
    int setDomain(const DomainVal& d);
    int setDomain(const Domain& d);
    const Domain& getDomain() const { return domain; }
    const DomainVal& getDomainVal() const { return domain.get(); }
    int getProj() const { return domain.proj; }
    float getDx() const { return domain.dx; }
    float getDy() const { return domain.dy; }

    // The variable with its level and forecast time.
    int setLevel(const char* text);
    int setLevel(const Level& l);
    const Level& getLevel() const { return var.getLevel(); }
    int getLevelType() const { return var.getLevelType1(); }
    int setForeTime(const char* text);
    int setForeTime(const ForeTime& f);
    const ForeTime& getForeTime() const { return var.getFore(); }
    float getForeHours() const { return var.getFore().getHours(); }
    int getForeSeconds() const { return var.getFore().getSeconds(); }
    // A name beginning with a digit is a variable index.
    int setVar(const char* name);
    int setVar(const Variable& v);
    const Variable& getVar() const { return var.getVar(); }
    const VarSpec& getVarSpec() const { return var; }
    const char* getUnits() const { return var.getUnits(); }
    // Stores the units and writes them, bracketed, at the end of the info text in place
    // of bracketed or parenthesised units already there.
    int setUnits(const char* units);
    GridSpec getSpec() const;

    // Statistics and arithmetic over the valid values.
    float getAverage() const;
    int getRange(float& min, float& max) const;
    int getRange(Range& r) const;
    int getNumMissing() const;
    int scale(float f);
    int offset(float f);

    // Diagnostics on standard output.
    void print() const;
    void printInfo() const;
    void printStats() const;
    void printData() const;

private:
    // Number of points, 0 when the size is unset or too large to hold.
    int size() const;
    bool inside(int i, int j) const { return i >= 0 && i < nx && j >= 0 && j < ny; }

    int type;
    int version;
    int source;
    char datim[datim_len];
    char info[info_len];
    Date date;
    int nx;
    int ny;
    int grid_type;
    Domain domain;
    int model;
    char gen_name[gen_name_len];
    VarSpec var;
    std::unique_ptr<float[]> data;
    std::unique_ptr<float[]> xloc;
    std::unique_ptr<float[]> yloc;
};

} // namespace HYX

#endif
