// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kestrane {

// The automatic labels of one kind of object, in the order they are handed
// out. Each new object takes the first label; the label is then dropped
// unless it is the last one, which every further object shares.
class LabelPool {
public:
    explicit LabelPool(std::vector<std::string> labels);

    // "L1" ... "L98", shared by lines and half-lines.
    static LabelPool forLines();
    // "d1" ... "d98".
    static LabelPool forSegments();
    // "C1" ... "C98".
    static LabelPool forCircles();
    // 499 labels over the point alphabet: "A" ... "Y", then "A1" ... "Z1",
    // "A2" ... up to "Z24".
    static LabelPool forPoints();

    // Hands out the current first label and moves past it unless it is the
    // last one.
    std::string take();
    // The label the next object would get.
    const std::string& next() const { return m_labels[m_next]; }
    std::size_t remaining() const { return m_labels.size() - m_next; }

private:
    std::vector<std::string> m_labels;
    std::size_t m_next = 0;
};

// The letters of point labels: the capitals without C, D, L, O, P and S,
// which name other kinds or read badly beside a digit.
inline constexpr char kPointAlphabet[] = "ABEFGHIJKMNQRTUVWXYZ";

} // namespace kestrane
