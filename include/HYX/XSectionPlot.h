// The frame of a vertical cross section: maps a distance along the section and a pressure
// (logarithmic, pmin at the top) into a rectangle of the plot, and draws the column lines,
// pressure lines, labels and outline.
#ifndef HYX_XSECTIONPLOT_H
#define HYX_XSECTIONPLOT_H

#include "HYX/Drawing.h"
#include "HYX/Export.h"
#include "HYX/Rect.h"
#include "HYX/Strings.h"
#include "HYX/XSectStyle.h"

#include <array>
#include <vector>

namespace HYX {

class Point;

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
    // The tidy layout and the frame options (km axis, mandatory levels) of a style.
    void setStyle(const XSectStyle& s) { style = s; }
    // The mandatory pressure levels, bottom up.
    static const std::array<float, 11> MANDATORY;

    static float pcoord(float p);
    float getX(float d) const;
    float getX(int i) const;
    float getY(float p) const;

private:
    // The pressures of the horizontal lines, bottom up; those labelled.
    std::vector<float> pressureLines() const;
    std::vector<float> pressureLabels() const;
    // Where a point of the section lies on the page (transformation 0).
    Point toPage(const Plot& plot, int tran, float x, float y) const;
    void drawKmAxis(Plot& plot, int tran, const Rect& page) const;

    Rect view;
    float xmin = 0, xmax = 0, xinc = 0;
    float pmin = 0, pmax = 0, pinc = 0;
    Strings labels;
    std::array<float, MAX_COLUMN> dist{};
    XSectStyle style;
};

} // namespace HYX

#endif
