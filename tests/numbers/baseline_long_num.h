// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/long_num.h"

// The long-number operations as they were before the limb engine, kept word
// for word as the yardstick of the differential tests. Operations not listed
// here (addition, copies, text) are shared with the library.
namespace kestrane::baseline {

void LongMul(const LongNum& a, const LongNum& b, LongNum& out);
void LongDiv(const LongNum& a, const LongNum& b, LongNum& out);
void LongSqrt(const LongNum& a, LongNum& out);
void LongRoot(const LongNum& a, int n, LongNum& out);
bool LongLn(const LongNum& a, LongNum& out);
void LongExp(const LongNum& a, LongNum& out);
void LongArctan(const LongNum& a, LongNum& out);
void LongSin(const LongNum& a, LongNum& out);
void LongCos(const LongNum& a, LongNum& out);
void LongTan(const LongNum& a, LongNum& out);
void LongCot(const LongNum& a, LongNum& out);
void LongArcsin(const LongNum& a, LongNum& out);
void LongArccos(const LongNum& a, LongNum& out);
const LongNum& LongPi();
const LongNum& LongLn2();
void LongSetupConstants();

} // namespace kestrane::baseline
