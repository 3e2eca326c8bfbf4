// What a cross section shows under the pointer: the pressure, the distance along the
// section and the nearest station (or the time of a time section), and the value of each
// variable drawn, interpolated from the samples it was drawn from.
#ifndef HYX_SECTIONREADOUT_H
#define HYX_SECTIONREADOUT_H

#include "HYX/Export.h"
#include "HYX/Readout.h"
#include "HYX/Rect.h"

#include <string>
#include <vector>

namespace HYX {

class XSectionPlot;

class HYX_API SectionReadout : public Readout {
public:
    // The frame the section was drawn in; time: the columns are times, not places.
    void setFrame(const XSectionPlot& frame, bool time);
    // The next column: its distance (km along the section), its name (a station, or the
    // time of its sounding) and its surface pressure (missing when unknown).
    void addColumn(float dist, const std::string& name, float sfc);
    // A variable drawn, with the units of its values; barbs have two components (along x
    // and y of the plot). The result is its index for addSample, -1 for one without values.
    int addVariable(const char* name, const char* units, bool barb);
    // A sample of variable k in column col at pressure p, from the ground up; y only for
    // barbs.
    void addSample(int k, int col, float p, float x, float y = 0);

    std::string describe(float wx, float wy) const override;

private:
    struct Sample {
        float p, x, y;
    };
    struct Variable {
        std::string name, units;
        bool barb = false;
        std::vector<std::vector<Sample>> columns;
    };
    struct Column {
        float x, dist, sfc;
        std::string name;
    };
    bool sampleAt(const std::vector<Sample>& col, float p, Sample& out) const;
    bool valueAt(const Variable& v, float wx, float p, Sample& out) const;
    bool belowGround(float wx, float wy) const;
    std::string place(float wx, float p) const;
    static std::string describe(const Variable& v, const Sample& s);

    bool time = false;
    Rect view;
    // The frame's mappings: x at distances 0 and 1000 km, y at 1000 and 100 mb.
    float x0 = 0, x1000 = 0, y1000 = 0, y100 = 0;
    std::vector<Column> columns;
    std::vector<Variable> vars;
};

} // namespace HYX

#endif
