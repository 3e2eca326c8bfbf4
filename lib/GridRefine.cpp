// A finer grid between the columns of a grid with plot positions.
#include "HYX/GridRefine.h"

#include "HYX/Const.h"
#include "HYX/Grid.h"
#include "HYX/Point.h"

#include <cmath>
#include <vector>

namespace HYX {

namespace {

constexpr float MISS = Const::FMISS;
constexpr int MAX_STEPS = 1000; // per gap

// Slopes of a monotone cubic through (x[j], v[j]) (Fritsch and Butland): the weighted
// harmonic mean of the neighbouring secants where they agree in sign, flat where they do
// not, the one secant at an end or beside a missing value; missing where v is.
std::vector<double> slopes(const std::vector<float>& x, const std::vector<float>& v) {
    const size_t n = v.size();
    std::vector<double> d(n, 0.0);
    auto secant = [&](size_t j, double& h, double& s) {
        if (v[j] == MISS || v[j + 1] == MISS || x[j] == MISS || x[j + 1] == MISS) return false;
        h = static_cast<double>(x[j + 1]) - x[j];
        if (h == 0) return false;
        s = (static_cast<double>(v[j + 1]) - v[j]) / h;
        return true;
    };
    for (size_t j = 0; j < n; ++j) {
        double h0 = 0, s0 = 0, h1 = 0, s1 = 0;
        const bool left = j > 0 && secant(j - 1, h0, s0);
        const bool right = j + 1 < n && secant(j, h1, s1);
        if (left && right)
            d[j] = s0 * s1 <= 0 ? 0 : 3 * (h0 + h1) / ((2 * h1 + h0) / s0 + (h1 + 2 * h0) / s1);
        else if (left || right)
            d[j] = left ? s0 : s1;
    }
    return d;
}

} // namespace

int GridRefine::columns(const Grid& in, float step, Grid& out) {
    const int nx = in.getNx(), ny = in.getNy();
    if (!in.isLocate() || !in.isData() || !(step > 0) || nx < 1 || ny < 1) return 0;
    // Steps per gap from the width of the gap in its first row.
    std::vector<int> steps(nx > 1 ? nx - 1 : 0, 1);
    int fine = 1;
    for (int j = 0; j + 1 < nx; ++j) {
        const float a = in.getLocate(j, 0).x, b = in.getLocate(j + 1, 0).x;
        if (a != MISS && b != MISS) {
            const double k = std::ceil(std::fabs(b - a) / step);
            steps[j] = k < 1 ? 1 : (k > MAX_STEPS ? MAX_STEPS : static_cast<int>(k));
        }
        fine += steps[j];
    }
    out.setSize(fine, ny);
    out.allocData();
    out.allocLocate();

    std::vector<float> x(nx), v(nx);
    for (int r = 0; r < ny; ++r) {
        for (int j = 0; j < nx; ++j) {
            x[j] = in.getLocate(j, r).x;
            v[j] = in.getValue(j, r);
        }
        const std::vector<double> d = slopes(x, v);
        int col = 0;
        for (int j = 0; j < nx; ++j) {
            const Point p0 = in.getLocate(j, r);
            out.setLocate(col, r, p0);
            out.setValue(col, r, v[j]);
            ++col;
            if (j + 1 == nx) break;
            const Point p1 = in.getLocate(j + 1, r);
            const bool placed = p0.x != MISS && p1.x != MISS;
            const bool valued = v[j] != MISS && v[j + 1] != MISS;
            const double h = static_cast<double>(x[j + 1]) - x[j];
            for (int k = 1; k < steps[j]; ++k, ++col) {
                const double t = static_cast<double>(k) / steps[j];
                out.setLocate(col, r,
                              placed ? Point(static_cast<float>(p0.x + t * (p1.x - p0.x)),
                                             static_cast<float>(p0.y + t * (p1.y - p0.y)))
                                     : Point(MISS, MISS));
                if (!valued) continue; // the point keeps the missing value
                // Cubic Hermite basis on [0, 1].
                const double t2 = t * t, t3 = t2 * t;
                const double value = (2 * t3 - 3 * t2 + 1) * v[j] + (t3 - 2 * t2 + t) * h * d[j] +
                                     (-2 * t3 + 3 * t2) * v[j + 1] + (t3 - t2) * h * d[j + 1];
                out.setValue(col, r, static_cast<float>(value));
            }
        }
    }
    return 1;
}

} // namespace HYX
