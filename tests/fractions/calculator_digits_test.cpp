// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator's shown digits: every one the correctly rounded digit of
// the true value, at the three precisions, against a reference computed
// once with an arbitrary-precision library (tools/calculator_reference.py),
// and the refusals that only real overflows cause.
#include "algebra/long_eval.h"
#include "expressions/expression_test_support.h"
#include "fractions/calculator.h"
#include "fractions/precision_dialog.h"
#include "platform/clipboard.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_host.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kestrane {
namespace {

// The precisions of the dialog's positions 9, 77 and 150.
constexpr int kPrecisions[] = {54, 462, 900};

class CalculatorDigitsTest : public ::testing::Test {
protected:
    CalculatorDigitsTest()
    {
        m_metrics.setFont(CanvasFont{.name = "Arial", .size = 10, .pixelHeight = 20});
    }
    ~CalculatorDigitsTest() override { setCalcWords(kCalcWordsAtStart); }

    void openAt(int digits)
    {
        setCalcWords(digits / 3);
        m_calculator.reset();
        m_calculator = std::make_unique<Calculator>(m_host, m_clipboard, m_metrics);
    }

    // The clipboard text, or the first message when nothing was computed.
    std::string compute(const std::string& text, bool complex = false)
    {
        m_host.clearMessages();
        m_calculator->setComplexNumbers(complex);
        m_calculator->editor().setExpression(testing::parsed(text));
        if (!m_calculator->compute())
            return m_host.messages().empty() ? "no result" : m_host.messages()[0].text;
        return m_clipboard.text();
    }

    ScriptedHost m_host;
    MemoryClipboard m_clipboard;
    RecordingCanvas m_metrics;
    std::unique_ptr<Calculator> m_calculator;
};

// A reference value ("-12.345...", more places than asked) rounded to
// `places` as the calculator shows it: half up, trailing zeros and a bare
// point dropped, no sign on zero.
std::string rounded(const std::string& reference, std::size_t places)
{
    bool negative = reference[0] == '-';
    std::string digits = negative ? reference.substr(1) : reference;
    std::size_t point = digits.find('.');
    if (point == std::string::npos)
        return reference;
    std::string kept = digits.substr(0, point) + digits.substr(point + 1, places);
    kept.resize(point + places, '0');
    if (point + 1 + places < digits.size() && digits[point + 1 + places] >= '5') {
        std::size_t index = kept.size();
        while (index > 0 && kept[index - 1] == '9')
            kept[--index] = '0';
        if (index == 0) {
            kept.insert(kept.begin(), '1');
            ++point;
        } else {
            ++kept[index - 1];
        }
    }
    std::string whole = kept.substr(0, point);
    std::string fraction = kept.substr(point);
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
    fraction.erase(fraction.find_last_not_of('0') + 1);
    std::string text = fraction.empty() ? whole : whole + "." + fraction;
    return negative && text != "0" ? "-" + text : text;
}

struct ReferenceRow {
    bool complex = false;
    std::string expression;
    std::string re;
    std::string im;
};

std::vector<ReferenceRow> referenceTable()
{
    std::ifstream file(std::string(KESTRANE_TEST_DATA) + "/calculator/reference.txt");
    std::vector<ReferenceRow> rows;
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        ReferenceRow row;
        std::string kind;
        std::getline(fields, kind, '\t');
        std::getline(fields, row.expression, '\t');
        std::getline(fields, row.re, '\t');
        std::getline(fields, row.im, '\t');
        row.complex = kind == "complex";
        rows.push_back(row);
    }
    return rows;
}

// The clipboard text of a complex result: "RE +i*IM" or "RE -i*IM".
std::string complexText(const std::string& re, const std::string& im)
{
    bool negative = im[0] == '-';
    return re + (negative ? " -i*" + im.substr(1) : " +i*" + im);
}

TEST_F(CalculatorDigitsTest, EveryShownDigitIsTheCorrectlyRoundedOne)
{
    std::vector<ReferenceRow> rows = referenceTable();
    ASSERT_EQ(rows.size(), 200u);
    for (int digits : kPrecisions) {
        openAt(digits);
        std::size_t places = static_cast<std::size_t>(digits / 2);
        int wrong = 0;
        for (const ReferenceRow& row : rows) {
            std::string expected = rounded(row.re, places);
            if (row.complex)
                expected = complexText(expected, rounded(row.im, places));
            std::string shown = compute(row.expression, row.complex);
            EXPECT_EQ(shown, expected) << row.expression << " at " << digits << " digits";
            wrong += shown != expected ? 1 : 0;
            if (wrong > 3)
                FAIL() << "more wrong results at " << digits << " digits";
        }
    }
}

TEST_F(CalculatorDigitsTest, LargeResultsKeepTheirLastDigits)
{
    struct Case {
        int digits;
        const char* expression;
        const char* shown;
    };
    const Case cases[] = {
        {54, "exp(pi*sqrt(163))", "262537412640768743.999999999999250072597198186"},
        {54, "exp(40+sqrt(2)/10)", "271142621577316354.556196258481933464482358999"},
        {462, "exp(40+sqrt(2)/10)",
         "271142621577316354.556196258481933464482358999004832610016229362746692781714283573502"
         "096087209605801931010322625585672625759326056015275127461971300029473351946414364295"
         "347869537723479855512125792690170749500644480989562774564658449717655234792323208"},
        // Every fraction digit while the guard words hold them.
        {54, "10^17*(1/7)", "14285714285714285.714285714285714285714285714"},
        {54, "10^18*(1/7)", "142857142857142857.142857142857142857142857143"},
        {54, "10^30/7", "142857142857142857142857142857.142857142857142857142857143"},
        {54, "(1/3)*3", "1"},
        // A tie is exact and stays; anything past it rounds up.
        {54, "2^-28", "0.000000003725290298461914062"},
        {54, "0.1234567890123456789012345675000000001", "0.123456789012345678901234568"},
        {54, "0.1234567890123456789012345674999999999", "0.123456789012345678901234567"},
        {54, "-0.0000000000000000000000000005000001", "-0.000000000000000000000000001"},
        {54, "-0.0000000000000000000000000004999999", "0"},
        // The error of a value near a pole, the digits cancelled away.
        {54, "tan(pi/2-10^-40)*10^-40", "1"},
        {54, "(sqrt(2)^2-2)*10^45", "0"},
    };
    for (const Case& c : cases) {
        openAt(c.digits);
        EXPECT_EQ(compute(c.expression), c.shown) << c.expression << " at " << c.digits;
    }
    // The evaluation's own word counts end with it.
    EXPECT_EQ(longWords(), calcWords() + kCalcGuardWords);
}

TEST_F(CalculatorDigitsTest, OnlyValuesThatDoNotFitAreRefused)
{
    openAt(54);
    // 16 integer words (48 digits) at 54 digits.
    EXPECT_EQ(compute("log(10^40)"), "92.103403719761827360719658187");
    EXPECT_EQ(compute("10^47"), "1" + std::string(47, '0'));
    EXPECT_EQ(compute("10^(-60)*10^45"), "0.000000000000001");
    EXPECT_EQ(compute("(10^23)^2/10^20"), "1" + std::string(26, '0'));
    // '/' binds tighter than '*': 10^30 * (10^30 / 10^40).
    EXPECT_EQ(compute("10^30*10^30/10^40"), "1" + std::string(20, '0'));
    for (const char* tooLarge : {"10^48", "(10^30*10^30)/10^40", "exp(111)", "1/10^-50"}) {
        EXPECT_EQ(compute(tooLarge), kTooLargeText) << tooLarge;
        EXPECT_EQ(m_host.messages().size(), 1u) << tooLarge;
    }
}

TEST_F(CalculatorDigitsTest, DigitsBeyondReachAreLeftOut)
{
    // At 900 digits the words cannot grow far enough for every place of a
    // tangent this close to its pole: the places shown are the certain ones.
    openAt(900);
    std::string shown = compute("tan(pi/2-10^-80)*10^-60");
    std::string reference =
        "99999999999999999999.99999999999999999999999999999999999999999999999999999999999999999"
        "99999999999999999999999999999999999999999999999999999999999999999999999999966666666666"
        "66666666666666666666666666666666666666666666666666666666666666666666666666666666666666"
        "66666666666666666666666666666666666666666666666666666666666666664444444444444444444444"
        "44444444444444444444444444444444444444444444444444444444444444444444444444444444444444"
        "444444444444444444444444444444444444444444444444444";
    std::size_t point = shown.find('.');
    ASSERT_NE(point, std::string::npos) << shown;
    std::size_t places = shown.size() - point - 1;
    EXPECT_LT(places, 450u);
    EXPECT_GT(places, 300u);
    EXPECT_EQ(shown, rounded(reference, places));
}

} // namespace
} // namespace kestrane
