// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/long_engine.h"
#include "numbers/long_internal.h"

namespace kestrane {

namespace {

// 450 fraction digits each.
constexpr const char* kPiText =
    "3.14159265358979323846264338327950288419716939937510582097494459230781640628"
    "6208998628034825342117067982148086513282306647093844609550582231725359408128"
    "4811174502841027019385211055596446229489549303819644288109756659334461284756"
    "4823378678316527120190914564856692346034861045432664821339360726024914127372"
    "4587006606315588174881520920962829254091715364367892590360011330530548820466"
    "521384146951941511609433057270365759591953092186117381932611793105118548";
constexpr const char* kLnTwoText =
    "0.69314718055994530941723212145817656807550013436025525412068000949339362196"
    "9694715605863326996418687542001481020570685733685520235758130557032670751635"
    "0759619307275708283714351903070386238916734711233501153644979552391204751726"
    "8157493206515552473413952588295045300709532636664265410423915781495204374043"
    "0385500801944170641671518644712839968171784546957026271631064546150257207402"
    "481637773389638550695260668341137273873722928956493547025762652098859693";
constexpr int kTextFractionDigits = 450;

struct Constant {
    LongNum value;
    int words = 0;
};

Constant g_pi;
Constant g_lnTwo;

void build(Constant& constant, const char* text, const long_engine::Fixed& computed)
{
    constant.value = LongNum();
    constant.words = longWords();
    int fractionDigits = 3 * (longWords() - longIntegerWords());
    if (fractionDigits <= kTextFractionDigits)
        constant.value = LongFromText(text);
    else
        long_engine::toLong(computed, 0, 0, constant.value);
}

} // namespace

void LongSetupConstants()
{
    int fraction = long_engine::fractionLimbs();
    build(g_pi, kPiText, long_engine::pi(fraction));
    build(g_lnTwo, kLnTwoText, long_engine::lnTwo(fraction));
}

const LongNum& LongPi()
{
    if (g_pi.words != longWords())
        LongSetupConstants();
    return g_pi.value;
}

const LongNum& LongLn2()
{
    if (g_lnTwo.words != longWords())
        LongSetupConstants();
    return g_lnTwo.value;
}

} // namespace kestrane
