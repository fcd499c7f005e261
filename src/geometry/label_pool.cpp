// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/label_pool.h"

#include <cassert>

namespace kestrane {

namespace {

constexpr int kNumberedLabels = 98;
constexpr int kPointLabels = 499;
constexpr int kAlphabetSize = sizeof(kPointAlphabet) - 1;

std::vector<std::string> numberedLabels(char letter)
{
    std::vector<std::string> labels;
    labels.reserve(kNumberedLabels);
    for (int number = 1; number <= kNumberedLabels; ++number)
        labels.push_back(letter + std::to_string(number));
    return labels;
}

// Label number n (1 ... 499): below the alphabet's size the letter n alone,
// from then on the letter n mod 20 + 1 with the suffix n div 20. So the
// unnumbered round stops one letter short of the alphabet's end.
std::string pointLabel(int number)
{
    if (number < kAlphabetSize)
        return std::string(1, kPointAlphabet[number - 1]);
    const char letter = kPointAlphabet[number % kAlphabetSize];
    return letter + std::to_string(number / kAlphabetSize);
}

} // namespace

LabelPool::LabelPool(std::vector<std::string> labels) : m_labels(std::move(labels))
{
    assert(!m_labels.empty());
}

LabelPool LabelPool::forLines()
{
    return LabelPool(numberedLabels('L'));
}

LabelPool LabelPool::forSegments()
{
    return LabelPool(numberedLabels('d'));
}

LabelPool LabelPool::forCircles()
{
    return LabelPool(numberedLabels('C'));
}

LabelPool LabelPool::forPoints()
{
    std::vector<std::string> labels;
    labels.reserve(kPointLabels);
    for (int number = 1; number <= kPointLabels; ++number)
        labels.push_back(pointLabel(number));
    return LabelPool(std::move(labels));
}

std::string LabelPool::take()
{
    std::string label = m_labels[m_next];
    if (m_next + 1 < m_labels.size())
        ++m_next;
    return label;
}

} // namespace kestrane
