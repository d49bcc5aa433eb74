#pragma once

#include <cstdint>
#include <limits>

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
    // Edges are computed in 64 bits: rectangles near the int limits must not overflow.
    int64_t Right() const { return int64_t(x) + w; }
    int64_t Bottom() const { return int64_t(y) + h; }
    bool IsPointInside(T px, T py) const {
        return px >= x && px < Right() && py >= y && py < Bottom();
    }
    bool IsPointInside(const CPoint<T>& p) const { return IsPointInside(p.x, p.y); }

    bool Intersects(const CRect& o) const {
        return !IsEmpty() && !o.IsEmpty() && x < o.Right() && o.x < Right() && y < o.Bottom() &&
               o.y < Bottom();
    }

    // The overlapping area; empty (w or h 0) when there is none.
    CRect Intersection(const CRect& o) const {
        const T left = x > o.x ? x : o.x;
        const T top = y > o.y ? y : o.y;
        const int64_t right = Right() < o.Right() ? Right() : o.Right();
        const int64_t bottom = Bottom() < o.Bottom() ? Bottom() : o.Bottom();
        if (right <= left || bottom <= top) return CRect(left, top, 0, 0);
        return CRect(left, top, Clamp(right - left), Clamp(bottom - top));
    }

    // The smallest rectangle holding both (sizes capped at the type's range);
    // an empty operand is ignored.
    CRect Union(const CRect& o) const {
        if (IsEmpty()) return o;
        if (o.IsEmpty()) return *this;
        const T left = x < o.x ? x : o.x;
        const T top = y < o.y ? y : o.y;
        const int64_t right = Right() > o.Right() ? Right() : o.Right();
        const int64_t bottom = Bottom() > o.Bottom() ? Bottom() : o.Bottom();
        return CRect(left, top, Clamp(right - left), Clamp(bottom - top));
    }

private:
    static T Clamp(int64_t value) {
        const int64_t most = static_cast<int64_t>(std::numeric_limits<T>::max());
        return static_cast<T>(value > most ? most : value);
    }
};

using types_rect = CRect<int32_t>;
using types_point = CPoint<int32_t>;

}  // namespace vorn
