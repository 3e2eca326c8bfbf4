// A growable list of plot points: a polyline or polygon, also the polygon buffer.
#ifndef HYX_POINTS_H
#define HYX_POINTS_H

#include "HYX/Export.h"
#include "HYX/Point.h"

#include <vector>

namespace HYX {

class HYX_API Points {
public:
    static constexpr int DEFAULT_SIZE = 25;

    Points() : Points(DEFAULT_SIZE) {}
    explicit Points(int n);

    int add(float px, float py);
    int add(const Point& p) { return add(p.x, p.y); }
    // Append without growing; 0 when full.
    int add1(const Point& p);
    int add1(int i);
    int set(int i, float px, float py);
    int set(int i, const Point& p) { return set(i, p.x, p.y); }
    int get(int i, Point& p) const;
    Point get(int i) const;
    float getX(int i) const { return valid(i) ? x[i] : Const::FMISS; }
    float getY(int i) const { return valid(i) ? y[i] : Const::FMISS; }
    const float* getX() const { return x.data(); }
    const float* getY() const { return y.data(); }
    int remove(int i);
    int insert(int i, float px, float py);
    void offset(float dx, float dy);
    int offset(int i, float dx, float dy);
    void clear() { num = 0; }
    int getNum() const { return num; }
    int getMax() const { return max; }
    bool within(const Point& p) const;
    Point getCenter() const;
    Point getCentroid() const;
    int copy(const Points& other);
    void print() const;

private:
    bool valid(int i) const { return i >= 0 && i < num; }
    void expand();

    int num = 0;
    int max = 0;
    std::vector<float> x;
    std::vector<float> y;
};

} // namespace HYX

#endif
