// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/four_d_math.h"

#include <cmath>

namespace kestrane {

Long4 Long4::ofIntegers(std::int64_t x, std::int64_t y, std::int64_t z, std::int64_t w)
{
    return {longOf(x), longOf(y), longOf(z), longOf(w)};
}

const LongNum& Long4::operator[](int axis) const
{
    switch (axis) {
    case 0:
        return x;
    case 1:
        return y;
    case 2:
        return z;
    default:
        return w;
    }
}

LongNum& Long4::operator[](int axis)
{
    return const_cast<LongNum&>(static_cast<const Long4&>(*this)[axis]);
}

std::array<double, 4> Long4::doubles() const
{
    return {toDouble(x), toDouble(y), toDouble(z), toDouble(w)};
}

Long4 plus(const Long4& a, const Long4& b)
{
    return {plus(a.x, b.x), plus(a.y, b.y), plus(a.z, b.z), plus(a.w, b.w)};
}

Long4 minus(const Long4& a, const Long4& b)
{
    return {minus(a.x, b.x), minus(a.y, b.y), minus(a.z, b.z), minus(a.w, b.w)};
}

Long4 scaled(const Long4& a, const LongNum& factor)
{
    return {times(a.x, factor), times(a.y, factor), times(a.z, factor), times(a.w, factor)};
}

Long4 shrunk(const Long4& a, const LongNum& divisor)
{
    return {divided(a.x, divisor), divided(a.y, divisor), divided(a.z, divisor),
            divided(a.w, divisor)};
}

Long4 shrunk(const Long4& a, std::int64_t divisor)
{
    Long4 out;
    for (int axis = 0; axis < 4; ++axis)
        LongDivSmall(a[axis], divisor, out[axis]);
    return out;
}

LongNum dot(const Long4& a, const Long4& b)
{
    LongNum sum = times(a.x, b.x);
    sum = plus(sum, times(a.y, b.y));
    sum = plus(sum, times(a.z, b.z));
    return plus(sum, times(a.w, b.w));
}

LongNum length(const Long4& a)
{
    return squareRoot(dot(a, a));
}

bool isZero(const Long4& a)
{
    return LongIsZero(a.x) && LongIsZero(a.y) && LongIsZero(a.z) && LongIsZero(a.w);
}

Long4 scaledDown(const Long4& a)
{
    int largest = 0;
    double largestSize = 0;
    for (int axis = 0; axis < 4; ++axis) {
        double size = std::fabs(toDouble(a[axis]));
        if (size > largestSize) {
            largest = axis;
            largestSize = size;
        }
    }
    if (LongIsZero(a[largest]))
        return a;
    LongNum divisor = a[largest];
    if (divisor.isNegative())
        LongNegate(divisor);
    return shrunk(a, divisor);
}

Long4 normalised(const Long4& a)
{
    Long4 small = scaledDown(a);
    if (isZero(small))
        return small;
    return shrunk(small, length(small));
}

bool fourEqual(const std::array<double, 4>& a, const std::array<double, 4>& b)
{
    for (std::size_t axis = 0; axis < 4; ++axis) {
        double difference = a[axis] - b[axis];
        if (difference < -0.1 || difference >= 0.1)
            return false;
    }
    return true;
}

bool fourEqual(const Long4& a, const Long4& b)
{
    return fourEqual(minus(a, b).doubles(), {0, 0, 0, 0});
}

namespace {

// det of the rows a, b, c restricted to three columns.
LongNum minor3(const Long4& a, const Long4& b, const Long4& c, int c0, int c1, int c2)
{
    LongNum first = times(a[c0], minus(times(b[c1], c[c2]), times(b[c2], c[c1])));
    LongNum second = times(a[c1], minus(times(b[c0], c[c2]), times(b[c2], c[c0])));
    LongNum third = times(a[c2], minus(times(b[c0], c[c1]), times(b[c1], c[c0])));
    return plus(minus(first, second), third);
}

} // namespace

Long4 cross(const Long4& a, const Long4& b, const Long4& c)
{
    Long4 p = scaledDown(a);
    Long4 q = scaledDown(b);
    Long4 r = scaledDown(c);
    // Expanding det[p; q; r; e_j] along its last row.
    return {negated(minor3(p, q, r, 1, 2, 3)), minor3(p, q, r, 0, 2, 3),
            negated(minor3(p, q, r, 0, 1, 3)), minor3(p, q, r, 0, 1, 2)};
}

LongNum Hyperplane::value(const Long4& point) const
{
    return minus(dot(normal, point), e);
}

Long4 Hyperplane::reflect(const Long4& point) const
{
    LongNum twice = value(point);
    LongAdd(twice, twice, twice);
    return minus(point, scaled(normal, twice));
}

Long4 Hyperplane::foot(const Long4& point) const
{
    return minus(point, scaled(normal, value(point)));
}

std::optional<Hyperplane> hyperplaneThrough(const Long4& point, const Long4& first,
                                            const Long4& second, const Long4& third)
{
    Long4 normal = scaledDown(cross(first, second, third));
    std::array<double, 4> floats = normal.doubles();
    double sum = 0;
    for (double value : floats)
        sum += value * value;
    // Directions that are nearly dependent give no hyperplane either.
    if (sum < 1e-12)
        return {};
    normal = shrunk(normal, length(normal));
    return Hyperplane{normal, dot(normal, point)};
}

std::optional<Long4> solveLinear4(const std::array<LinearRow4, 4>& input)
{
    std::array<LinearRow4, 4> rows = input;
    std::array<std::array<float, 4>, 4> floats{};
    for (std::size_t row = 0; row < 4; ++row)
        for (std::size_t column = 0; column < 4; ++column)
            floats[row][column] = LongToFloat(rows[row].coefficients[column]);
    std::array<std::size_t, 4> order{0, 1, 2, 3};
    for (std::size_t column = 0; column < 4; ++column) {
        std::size_t chosen = column;
        for (std::size_t candidate = column + 1; candidate < 4; ++candidate) {
            if (std::fabs(floats[order[candidate]][column]) >
                std::fabs(floats[order[chosen]][column]))
                chosen = candidate;
        }
        std::swap(order[column], order[chosen]);
        LinearRow4& pivotRow = rows[order[column]];
        if (std::fabs(floats[order[column]][column]) < 0.001f)
            return {};
        LongNum pivot = pivotRow.coefficients[column];
        for (std::size_t k = column + 1; k < 4; ++k) {
            pivotRow.coefficients[k] = divided(pivotRow.coefficients[k], pivot);
            floats[order[column]][k] = LongToFloat(pivotRow.coefficients[k]);
        }
        pivotRow.rhs = divided(pivotRow.rhs, pivot);
        pivotRow.coefficients[column] = longOf(1);
        floats[order[column]][column] = 1.0f;
        for (std::size_t below = column + 1; below < 4; ++below) {
            LinearRow4& row = rows[order[below]];
            LongNum factor = row.coefficients[column];
            for (std::size_t k = column; k < 4; ++k) {
                row.coefficients[k] =
                    minus(row.coefficients[k], times(pivotRow.coefficients[k], factor));
                floats[order[below]][k] = LongToFloat(row.coefficients[k]);
            }
            row.rhs = minus(row.rhs, times(pivotRow.rhs, factor));
        }
    }
    Long4 solution;
    for (int column = 3; column >= 0; --column) {
        const LinearRow4& row = rows[order[static_cast<std::size_t>(column)]];
        LongNum value = row.rhs;
        for (int k = column + 1; k < 4; ++k)
            value = minus(value, times(row.coefficients[static_cast<std::size_t>(k)], solution[k]));
        solution[column] = value;
    }
    return solution;
}

HyperplaneCoordinates::HyperplaneCoordinates(const Hyperplane& plane, const Long4& anchor)
    : m_foot(plane.foot(anchor)), m_centre(anchor.xyz())
{
    std::array<double, 4> normal = plane.normal.doubles();
    int dropped = 0;
    for (int axis = 1; axis < 4; ++axis) {
        if (std::fabs(normal[static_cast<std::size_t>(axis)]) >
            std::fabs(normal[static_cast<std::size_t>(dropped)]))
            dropped = axis;
    }
    std::array<Long4, 4> basis{plane.normal};
    std::size_t made = 1;
    for (int axis = 0; axis < 4; ++axis) {
        if (axis == dropped)
            continue;
        Long4 vector;
        vector[axis] = longOf(1);
        for (std::size_t earlier = 0; earlier < made; ++earlier)
            vector = minus(vector, scaled(basis[earlier], dot(vector, basis[earlier])));
        basis[made++] = normalised(vector);
    }
    m_axes = {basis[1], basis[2], basis[3]};
}

LongTriple HyperplaneCoordinates::map(const Long4& point) const
{
    Long4 offset = minus(point, m_foot);
    return {plus(m_centre.x, dot(m_axes[0], offset)), plus(m_centre.y, dot(m_axes[1], offset)),
            plus(m_centre.z, dot(m_axes[2], offset))};
}

} // namespace kestrane
