// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/domain_dialog.h"

#include <charconv>

namespace kestrane {

namespace {

std::string_view withoutLeadingBlanks(std::string_view text)
{
    std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string cut(std::string text)
{
    if (text.size() > static_cast<std::size_t>(DomainDialog::kFieldLength))
        text.resize(static_cast<std::size_t>(DomainDialog::kFieldLength));
    return text;
}

} // namespace

std::optional<float> domainFieldValue(std::string_view text)
{
    std::string_view number = withoutLeadingBlanks(text);
    std::string_view digits = number;
    if (!digits.empty() && digits.front() == '-')
        digits.remove_prefix(1);
    int points = 0;
    int digitCount = 0;
    for (char c : digits) {
        if (c == '.')
            ++points;
        else if (c >= '0' && c <= '9')
            ++digitCount;
        else
            return std::nullopt;
    }
    if (points > 1 || digitCount == 0)
        return std::nullopt;
    // from_chars takes neither a lone leading '.' nor a trailing one: the
    // digits around the point are read as they stand.
    std::string normalised(digits);
    if (normalised.front() == '.')
        normalised.insert(normalised.begin(), '0');
    if (normalised.back() == '.')
        normalised.pop_back();
    double value = 0;
    auto [end, error] =
        std::from_chars(normalised.data(), normalised.data() + normalised.size(), value);
    if (error != std::errc() || end != normalised.data() + normalised.size())
        return std::nullopt;
    return static_cast<float>(number.front() == '-' ? -value : value);
}

DomainDialog::DomainDialog(const GraphDomain& current)
    : m_left(cut(current.leftText))
    , m_right(cut(current.rightText))
{
}

void DomainDialog::setLeftField(std::string text)
{
    m_left = cut(std::move(text));
}

void DomainDialog::setRightField(std::string text)
{
    m_right = cut(std::move(text));
}

std::optional<GraphDomain> DomainDialog::accepted() const
{
    std::optional<float> left = domainFieldValue(m_left);
    std::optional<float> right = domainFieldValue(m_right);
    // An interval whose ends are not in order has nothing to draw.
    if (!left || !right || !(*left < *right))
        return std::nullopt;
    return GraphDomain{std::string(withoutLeadingBlanks(m_left)),
                       std::string(withoutLeadingBlanks(m_right)), *left, *right};
}

} // namespace kestrane
