// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/host.h"
#include "platform/translation.h"

#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

// The interval a function is drawn over: each end as the text the user gave
// (at most five characters) and as its single-precision value.
struct GraphDomain {
    std::string leftText = "0";
    std::string rightText = "1";
    float left = 0;
    float right = 1;
};

// The value of a domain field: optional leading blanks, an optional '-',
// then digits with at most one '.' and at least one digit. Nothing for any
// other text.
std::optional<float> domainFieldValue(std::string_view text);

// The domain dialog: two fields of five characters showing the current ends,
// OK (Enter) and Cancel (Escape). The window shows it modally and reads the
// domain it gives.
class DomainDialog final : public ModalDialog {
public:
    static constexpr const char* kCaption = N_("Domain");
    static constexpr const char* kLabel = N_("Domains's interval.");
    static constexpr const char* kLeftLabel = N_("Left end");
    static constexpr const char* kRightLabel = N_("Right end");
    static constexpr int kFieldLength = 5;
    static constexpr const char* kErrorCaption = N_("Error");
    static constexpr const char* kWrongNumbers = N_("Wrong numbers. Domain not changed.");

    explicit DomainDialog(const GraphDomain& current);

    const std::string& leftField() const { return m_left; }
    const std::string& rightField() const { return m_right; }
    // The fields keep at most five characters, as their edit boxes do.
    void setLeftField(std::string text);
    void setRightField(std::string text);

    // The domain of the fields after OK: both valid and the left end below
    // the right one; the texts without their leading blanks. Nothing when
    // the fields are refused.
    std::optional<GraphDomain> accepted() const;

private:
    std::string m_left;
    std::string m_right;
};

} // namespace kestrane
