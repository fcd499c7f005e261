// SPDX-License-Identifier: GPL-3.0-or-later
#include "fractions/precision_dialog.h"

#include "numbers/long_num.h"
#include "platform/translation.h"

#include <algorithm>

namespace kestrane {

namespace {
int g_calcWords = kCalcWordsAtStart;
}

int calcWords()
{
    return g_calcWords;
}

void setCalcWords(int words)
{
    g_calcWords = words;
}

PrecisionDialog::PrecisionDialog()
{
    setPosition(calcWords() / 2);
}

void PrecisionDialog::setPosition(int position)
{
    m_position = std::clamp(position, kMinimum, kMaximum);
}

std::string PrecisionDialog::text() const
{
    std::string number = std::to_string(digits());
    if (digits() < 101)
        number += ' ';
    return translate("Number of significant digits:  ") + number;
}

void PrecisionDialog::accept() const
{
    setCalcWords(2 * m_position);
    setLongWords(calcWords() + kCalcGuardWords);
    LongSetupConstants();
}

} // namespace kestrane
