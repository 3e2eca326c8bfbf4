// The frame of a vertical cross section: maps a distance along the section and a pressure
// (logarithmic, pmin at the top) into a rectangle of the plot, and draws the column lines,
// pressure lines, labels and outline.
#ifndef HYX_XSECTIONPLOT_H
#define HYX_XSECTIONPLOT_H

#include "HYX/Drawing.h"
#include "HYX/Export.h"
#include "HYX/Rect.h"
#include "HYX/Strings.h"

#include <array>

namespace HYX {

class HYX_API XSectionPlot : public Drawing {
public:
    static constexpr int MAX_COLUMN = 50;

    XSectionPlot() { init(); }
    explicit XSectionPlot(const char* param) {
        init();
        setParam(param);
    }

    int init() override;
    int getDomain(Domain& d) override;
    // The frame takes no parameters.
    int setParam(const char*) override { return 1; }
    int setFile() override { return 1; }
    int setInput(const char*) override { return 1; }
    int setFilename(Date&) override { return 1; }
    int setFilename(Date&, const char*) override { return 1; }
    int getInitDate(Date& d) override;
    int getDateOffset() override { return 0; }
    int draw(Plot& plot) override;
    int print() override;

    // The rectangle of the plot (current coordinates) the section is mapped into.
    void setView(const Rect& r) { view = r; }
    const Rect& getView() const { return view; }
    int setVertAxis(float pmin, float pmax, float pinc);
    int setHorAxis(float xmin, float xmax);
    int setLabels(const Strings& labels);
    int setHorDist(int i, float d);
    int getNumColumns() const;

    static float pcoord(float p);
    float getX(float d) const;
    float getX(int i) const;
    float getY(float p) const;

private:
    Rect view;
    float xmin = 0, xmax = 0, xinc = 0;
    float pmin = 0, pmax = 0, pinc = 0;
    Strings labels;
    std::array<float, MAX_COLUMN> dist{};
};

} // namespace HYX

#endif
