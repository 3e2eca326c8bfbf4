// A growable list of plot points.
#include "HYX/Points.h"

#include <cmath>
#include <cstdio>

namespace HYX {

Points::Points(int n) : max(n > 0 ? n : 1), x(max), y(max) {}

void Points::expand() {
    int grown = static_cast<int>(max * 1.5);
    if (grown <= max) grown = max + 1;
    max = grown;
    x.resize(max);
    y.resize(max);
}

int Points::add(float px, float py) {
    if (num >= max) expand();
    x[num] = px;
    y[num] = py;
    ++num;
    return 1;
}

int Points::add1(const Point& p) {
    if (num >= max) return 0;
    x[num] = p.x;
    y[num] = p.y;
    ++num;
    return 1;
}

int Points::add1(int i) {
    if (!valid(i)) return 0;
    return add1(Point(x[i], y[i]));
}

int Points::set(int i, float px, float py) {
    if (!valid(i)) return 0;
    x[i] = px;
    y[i] = py;
    return 1;
}

int Points::get(int i, Point& p) const {
    if (!valid(i)) return 0;
    p.set(x[i], y[i]);
    return 1;
}

Point Points::get(int i) const {
    Point p;
    get(i, p);
    return p;
}

int Points::remove(int i) {
    if (!valid(i)) return 0;
    for (int k = i; k < num - 1; ++k) {
        x[k] = x[k + 1];
        y[k] = y[k + 1];
    }
    --num;
    return 1;
}

int Points::insert(int i, float px, float py) {
    if (i < 0 || i > num) return 0;
    if (num >= max) expand();
    for (int k = num; k > i; --k) {
        x[k] = x[k - 1];
        y[k] = y[k - 1];
    }
    x[i] = px;
    y[i] = py;
    ++num;
    return 1;
}

void Points::offset(float dx, float dy) {
    for (int i = 0; i < num; ++i) {
        x[i] += dx;
        y[i] += dy;
    }
}

int Points::offset(int i, float dx, float dy) {
    if (!valid(i)) return 0;
    x[i] += dx;
    y[i] += dy;
    return 1;
}

bool Points::within(const Point& p) const {
    int left = 0;
    int right = 0;
    for (int i = 1; i < num; ++i) {
        const float f = (p.y - y[i - 1]) / (y[i] - y[i - 1]);
        if (!(f >= 0 && f <= 1)) continue;
        const float cx = x[i - 1] + (x[i] - x[i - 1]) * f;
        if (cx <= p.x) ++left;
        if (cx >= p.x) ++right;
    }
    return (left % 2) == 1 && right >= 1;
}

Point Points::getCenter() const {
    if (num == 0) return Point();
    float x0 = x[0], x1 = x[0], y0 = y[0], y1 = y[0];
    for (int i = 1; i < num; ++i) {
        x0 = std::fmin(x0, x[i]);
        x1 = std::fmax(x1, x[i]);
        y0 = std::fmin(y0, y[i]);
        y1 = std::fmax(y1, y[i]);
    }
    return Point((x0 + x1) / 2, (y0 + y1) / 2);
}

Point Points::getCentroid() const {
    if (num == 0) return Point();
    double a = 0, cx = 0, cy = 0;
    for (int i = 0; i < num; ++i) {
        const int j = (i + 1) % num;
        const double c = static_cast<double>(x[i]) * y[j] - static_cast<double>(x[j]) * y[i];
        a += c;
        cx += (x[i] + x[j]) * c;
        cy += (y[i] + y[j]) * c;
    }
    if (std::fabs(a) < 1e-12) {
        double sx = 0, sy = 0;
        for (int i = 0; i < num; ++i) {
            sx += x[i];
            sy += y[i];
        }
        return Point(static_cast<float>(sx / num), static_cast<float>(sy / num));
    }
    return Point(static_cast<float>(cx / (3 * a)), static_cast<float>(cy / (3 * a)));
}

int Points::copy(const Points& other) {
    *this = other;
    return 1;
}

void Points::print() const {
    for (int i = 0; i < num; ++i) std::printf("%d: %f %f\n", i, x[i], y[i]);
}

} // namespace HYX
