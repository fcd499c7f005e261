// SPDX-License-Identifier: GPL-3.0-or-later
// Keys and clicks through the real widgets of the Fractions and Roots window
// and the Calculator: keys as the keyboard sends them (to the active window,
// routed by Qt to the focus widget), menus used from the keyboard, message
// boxes, the results window, the buttons under their labels, the Font window.
#include "expressions/expression_text.h"
#include "fractions/precision_dialog.h"
#include "gui/calculator_widget.h"
#include "gui/font_window_widget.h"
#include "gui/fractions_window_widget.h"
#include "gui/precision_dialog_widget.h"
#include "gui/qt_host.h"
#include "modal_helper.h"
#include "numbers/long_num.h"
#include "platform/recording_canvas.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace kestrane {
namespace {

using testing::onNextModal;

class FractionsKeysTest : public ::testing::Test {
protected:
    FractionsKeysTest() : m_host(std::filesystem::path(KESTRANE_SOURCE_DIR) / "help") {}
    ~FractionsKeysTest() override
    {
        setCalcWords(kCalcWordsAtStart);
        setLongWords(kLongWordsAtStart);
    }

    std::filesystem::path images() const
    {
        return std::filesystem::path(KESTRANE_SOURCE_DIR) / "images";
    }

    static void showActive(QWidget& window)
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // A key as the keyboard sends it: to the open popup menu, else to the
    // window, where Qt gives it to the window's focus widget.
    static void press(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget* popup = QApplication::activePopupWidget();
        QTest::keyClick((popup ? popup : &window)->windowHandle(), key, modifiers);
    }

    static std::string expressionOf(FractionsWindow& window)
    {
        return printExpressionText(window.editor().expression());
    }

    QtHost m_host;
};

TEST_F(FractionsKeysTest, EscapeAnswersAfterAMenuUsedFromTheKeyboard)
{
    FractionsWindowWidget window(m_host, images());
    showActive(window);
    // Alt+A opens Arithmetics, F chooses Fraction.
    press(window, Qt::Key_A, Qt::AltModifier);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    press(window, Qt::Key_F);
    QTest::qWait(20);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(expressionOf(window.model()), "?/?");
    EXPECT_EQ(window.focusWidget(), window.expressionArea());
    press(window, Qt::Key_1);
    EXPECT_EQ(expressionOf(window.model()), "1/?");
    // Escape starts a new expression, and keeps doing so.
    for (int round = 0; round < 2; ++round) {
        press(window, Qt::Key_2);
        press(window, Qt::Key_Escape);
        EXPECT_EQ(expressionOf(window.model()), "?") << round;
    }
    EXPECT_TRUE(window.isVisible());
}

TEST_F(FractionsKeysTest, EscapeAnswersAfterAMenuOpenedWithTheMouseAndAnErrorBox)
{
    FractionsWindowWidget window(m_host, images());
    showActive(window);
    // A letter in a menu opened with the mouse: Arithmetics, then R.
    QAction* root = window.action("Root");
    ASSERT_NE(root, nullptr);
    QMenu* arithmetics = qobject_cast<QMenu*>(root->parent());
    ASSERT_NE(arithmetics, nullptr);
    auto* menuBar = window.findChild<QMenuBar*>();
    ASSERT_NE(menuBar, nullptr);
    QTest::mouseClick(menuBar, Qt::LeftButton, {},
                      menuBar->actionGeometry(arithmetics->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
    press(window, Qt::Key_R);
    QTest::qWait(20);
    EXPECT_EQ(window.focusWidget(), window.expressionArea());
    press(window, Qt::Key_2);
    EXPECT_EQ(expressionOf(window.model()), "sqrt(2)");

    // '/' is refused with a box; once it is closed Escape still answers.
    std::string caption;
    onNextModal([&caption](QDialog& box) {
        caption = box.windowTitle().toStdString();
        box.accept();
    });
    press(window, Qt::Key_Slash);
    EXPECT_EQ(caption, "Not allowed operation.");
    press(window, Qt::Key_Escape);
    EXPECT_EQ(expressionOf(window.model()), "?");

    // After Simplify Escape restores the expression as it was.
    press(window, Qt::Key_3);
    press(window, Qt::Key_Equal);
    press(window, Qt::Key_Escape);
    EXPECT_EQ(expressionOf(window.model()), "3");
    EXPECT_EQ(window.model().unsimplified(), nullptr);
}

TEST_F(FractionsKeysTest, CtrlHInTheListShowsItsHelp)
{
    FractionsWindowWidget window(m_host, images());
    showActive(window);
    EXPECT_TRUE(window.action("Main fraction")->shortcut().isEmpty());
    window.model().variables().add("a", parseExpressionText("1/2").tree);
    press(window, Qt::Key_A);
    press(window, Qt::Key_L, Qt::ControlModifier);
    ASSERT_EQ(window.model().mode(), FractionsWindow::Mode::List);
    std::string caption;
    onNextModal([&caption](QDialog& box) {
        caption = box.windowTitle().toStdString();
        box.accept();
    });
    press(window, Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(caption, "Handling of list");
    EXPECT_EQ(window.model().mode(), FractionsWindow::Mode::List);
    press(window, Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(window.model().mode(), FractionsWindow::Mode::Main);
}

// Root, Fraction and Power: each painted label, and its shortcut above it,
// stands over the button that does what it says.
template<typename Widget, typename Model>
void expectLabelsOverTheirButtons(Widget& widget, Model& model, FractionsWindow& window)
{
    RecordingCanvas canvas;
    model.paint(canvas);
    const auto texts = canvas.callsOf(RecordingCanvas::Shape::Text);
    auto find = [&texts](const char* text) {
        return std::find_if(texts.begin(), texts.end(),
                            [text](const auto& call) { return call.text == text; });
    };
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"Root", "Ctrl-R", "sqrt(?)"}, {"Fraction", "Ctrl-N", "?/?"}, {"Power", "Ctrl-P", "?^?"}};
    for (const auto& [label, shortcut, inserted] : cases) {
        auto labelCall = find(label);
        auto shortcutCall = find(shortcut);
        ASSERT_NE(labelCall, texts.end()) << label;
        ASSERT_NE(shortcutCall, texts.end()) << shortcut;
        EXPECT_EQ(shortcutCall->points[0].x, labelCall->points[0].x) << shortcut;
        EXPECT_LT(shortcutCall->points[0].y, labelCall->points[0].y) << shortcut;
        // Just under the label.
        QPoint below(static_cast<int>(labelCall->points[0].x) + 3,
                     static_cast<int>(labelCall->points[0].y) + 40);
        QPushButton* under = nullptr;
        for (QPushButton* button : widget.expressionArea()->template findChildren<QPushButton*>())
            if (button->isVisible() && button->geometry().contains(below))
                under = button;
        ASSERT_NE(under, nullptr) << label;
        window.newExpression();
        under->click();
        EXPECT_EQ(printExpressionText(window.editor().expression()), inserted) << label;
    }
}

TEST_F(FractionsKeysTest, TheLabelsNameTheButtonsUnderThem)
{
    FractionsWindowWidget fractions(m_host, images());
    showActive(fractions);
    expectLabelsOverTheirButtons(fractions, fractions.model(), fractions.model());
    CalculatorWidget calculator(m_host, images());
    showActive(calculator);
    expectLabelsOverTheirButtons(calculator, calculator.model(), calculator.model().window());
}

TEST_F(FractionsKeysTest, TheKeyThatClosesTheResultsWindowActsInTheCalculator)
{
    setCalcWords(300);
    CalculatorWidget calculator(m_host, images());
    showActive(calculator);
    calculator.model().editor().setExpression(parseExpressionText("sin(1)").tree);
    std::string title;
    onNextModal([&title](QDialog& results) {
        title = results.windowTitle().toStdString();
        QTest::keyClick(results.windowHandle(), Qt::Key_Escape);
    });
    press(calculator, Qt::Key_Equal);
    EXPECT_EQ(title, "Calculator Results");
    // The Escape that closed it started a new expression there.
    EXPECT_EQ(printExpressionText(calculator.model().editor().expression()), "?");
    EXPECT_FALSE(calculator.model().result());
    press(calculator, Qt::Key_2);
    EXPECT_EQ(printExpressionText(calculator.model().editor().expression()), "2");

    // A digit that closes it is typed; a click only closes it.
    calculator.model().editor().setExpression(parseExpressionText("1/7").tree);
    calculator.model().editor().moveLeft();
    onNextModal([](QDialog& results) { QTest::keyClick(results.windowHandle(), Qt::Key_5); });
    press(calculator, Qt::Key_Equal);
    EXPECT_EQ(printExpressionText(calculator.model().editor().expression()), "1/75");
    int opened = 0;
    onNextModal([&opened](QDialog& results) {
        ++opened;
        QTest::mouseClick(&results, Qt::LeftButton);
    });
    press(calculator, Qt::Key_Equal);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(printExpressionText(calculator.model().editor().expression()), "1/75");
    // The same result does not open its window again.
    calculator.action("Complex Numbers")->trigger();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(FractionsKeysTest, TheCalculatorHasTheWindowsMenusAndButtons)
{
    CalculatorWidget calculator(m_host, images());
    showActive(calculator);
    for (const char* name : {"New",
                             "Open",
                             "Save",
                             "Save as",
                             "Exit",
                             "Main",
                             "New variable",
                             "Simplify",
                             "Main fraction",
                             "List of variables",
                             "Value",
                             "Precision",
                             "Complex Numbers",
                             "Power",
                             "Root",
                             "Fraction",
                             "Font",
                             "Colors",
                             "Save options",
                             "Index",
                             "About"})
        EXPECT_NE(calculator.action(name), nullptr) << name;
    for (const char* name : {"NImage1", "NImage2", "NImage3", "NImage4", "M1In", "M2In", "koment",
                             "Imge3", "Imge4", "Imge5", "KImage1", "GImage3"})
        EXPECT_TRUE(calculator.findChild<QPushButton*>(name)->isVisible()) << name;
    // The list hides the keypad and shows its own buttons.
    press(calculator, Qt::Key_A);
    calculator.model().defineVariable("a", parseExpressionText("2").tree);
    calculator.action("List of variables")->trigger();
    EXPECT_EQ(calculator.model().window().mode(), FractionsWindow::Mode::List);
    EXPECT_FALSE(calculator.findChild<QPushButton*>("KImage1")->isVisible());
    EXPECT_TRUE(calculator.findChild<QPushButton*>("HImage1")->isVisible());
    press(calculator, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(calculator.findChild<QPushButton*>("KImage1")->isVisible());
}

TEST_F(FractionsKeysTest, PrecisionOpensAtTheCurrentPrecision)
{
    setCalcWords(2 * 20);
    CalculatorWidget calculator(m_host, images());
    showActive(calculator);
    int opened = 0;
    onNextModal([&opened](QDialog& dialog) {
        auto* precision = qobject_cast<PrecisionDialogWidget*>(&dialog);
        ASSERT_NE(precision, nullptr);
        opened = precision->scrollBar()->value();
        dialog.accept();
    });
    calculator.action("Precision")->trigger();
    EXPECT_EQ(opened, 20);
    EXPECT_EQ(calcWords(), 40);
    EXPECT_EQ(longWords(), 50);
}

TEST_F(FractionsKeysTest, TheFontWindowKeepsTheFontOnOkAndTakesAHeight)
{
    FractionsWindowWidget window(m_host, images());
    WindowOptions slot;
    slot.fontName = "Liberation Sans";
    slot.fontHeight = 26;
    window.useOptions(slot);
    showActive(window);
    for (int round = 0; round < 2; ++round) {
        onNextModal([](QDialog& dialog) {
            ASSERT_NE(qobject_cast<FontWindowWidget*>(&dialog), nullptr);
            EXPECT_EQ(dialog.windowTitle(), "Font");
            auto* name = dialog.findChild<QLineEdit*>("fontName");
            auto* height = dialog.findChild<QComboBox*>("fontHeight");
            ASSERT_TRUE(name && height);
            EXPECT_EQ(name->text(), "Liberation Sans");
            EXPECT_EQ(height->currentText(), "26");
            EXPECT_NE(dialog.findChild<QWidget*>("example"), nullptr);
            dialog.accept();
        });
        window.action("Font")->trigger();
        EXPECT_EQ(slot.fontHeight, 26);
        EXPECT_EQ(slot.fontName, "Liberation Sans");
    }
    onNextModal([](QDialog& dialog) {
        auto* height = dialog.findChild<QComboBox*>("fontHeight");
        int index = height->findText(QString::number(FontWindow::kMaximumHeight));
        height->setCurrentIndex(index);
        emit height->activated(index);
        dialog.accept();
    });
    window.action("Font")->trigger();
    EXPECT_EQ(slot.fontHeight, FontWindow::kMaximumHeight);
    EXPECT_EQ(window.model().editor().fontHeight(), FontWindow::kMaximumHeight);
}

} // namespace
} // namespace kestrane
