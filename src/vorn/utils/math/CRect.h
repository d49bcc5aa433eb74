#pragma once

#include <cstdint>

namespace vorn {

// Integer point, or a two-dimensional vector of integers.
template <class T = int>
struct CPoint {
    T x = 0;
    T y = 0;

    CPoint() = default;
    CPoint(T x_, T y_) : x(x_), y(y_) {}
    bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
    bool operator!=(const CPoint& o) const { return !(*this == o); }
    CPoint operator+(const CPoint& o) const { return CPoint(x + o.x, y + o.y); }
    CPoint operator-(const CPoint& o) const { return CPoint(x - o.x, y - o.y); }
};

// Rectangle with (x, y) the top-left corner. A point is inside when
// x <= px < x + w and y <= py < y + h.
template <class T = int32_t>
struct CRect {
    T x = 0;
    T y = 0;
    T w = 0;
    T h = 0;

    CRect() = default;
    CRect(T x_, T y_, T w_, T h_) : x(x_), y(y_), w(w_), h(h_) {}

    bool operator==(const CRect& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
    bool operator!=(const CRect& o) const { return !(*this == o); }

    bool IsEmpty() const { return w <= 0 || h <= 0; }
    bool IsPointInside(T px, T py) const { return px >= x && px < x + w && py >= y && py < y + h; }
    bool IsPointInside(const CPoint<T>& p) const { return IsPointInside(p.x, p.y); }

    bool Intersects(const CRect& o) const {
        return !IsEmpty() && !o.IsEmpty() && x < o.x + o.w && o.x < x + w && y < o.y + o.h &&
               o.y < y + h;
    }

    // The overlapping area; empty (w or h 0) when there is none.
    CRect Intersection(const CRect& o) const {
        T left = x > o.x ? x : o.x;
        T top = y > o.y ? y : o.y;
        T right = (x + w) < (o.x + o.w) ? (x + w) : (o.x + o.w);
        T bottom = (y + h) < (o.y + o.h) ? (y + h) : (o.y + o.h);
        if (right <= left || bottom <= top) return CRect(left, top, 0, 0);
        return CRect(left, top, right - left, bottom - top);
    }

    // The smallest rectangle holding both; an empty operand is ignored.
    CRect Union(const CRect& o) const {
        if (IsEmpty()) return o;
        if (o.IsEmpty()) return *this;
        T left = x < o.x ? x : o.x;
        T top = y < o.y ? y : o.y;
        T right = (x + w) > (o.x + o.w) ? (x + w) : (o.x + o.w);
        T bottom = (y + h) > (o.y + o.h) ? (y + h) : (o.y + o.h);
        return CRect(left, top, right - left, bottom - top);
    }
};

using types_rect = CRect<int32_t>;
using types_point = CPoint<int32_t>;

}  // namespace vorn
