// SPDX-License-Identifier: GPL-3.0-or-later
// The Calculator window opened from the script editor's Windows menu: keys
// reach the model, a result is computed and copied, precision and complex
// numbers come from the Settings menu.
#include "app/application.h"
#include "fractions/precision_dialog.h"
#include "gui/calculator_widget.h"
#include "gui/construction_window_widget.h"
#include "gui/fractions_window_widget.h"
#include "gui/precision_dialog_widget.h"
#include "gui/qt_host.h"
#include "gui/script_editor_widget.h"
#include "modal_helper.h"
#include "support/temp_dir.h"

#include "expressions/expression_text.h"
#include "numbers/long_num.h"
#include "program_paths.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <optional>

namespace kestrane {
namespace {

using testing::onNextModal;

class CalculatorWidgetTest : public ::testing::Test {
protected:
    CalculatorWidgetTest() : m_host(std::filesystem::path(KESTRANE_SOURCE_DIR) / "help")
    {
        m_paths = testing::programPathsIn(m_dir.path());
        m_application.emplace(m_host, m_paths);
        m_application->start();
        m_application->directories().main = m_dir.path().string();
    }
    ~CalculatorWidgetTest() override { setCalcWords(kCalcWordsAtStart); }

    kestrane::testing::TempDir m_dir;
    QtHost m_host;
    ProgramPaths m_paths;
    std::optional<Application> m_application;
};

TEST_F(CalculatorWidgetTest, OpensFromTheEditorAndComputesOneOverRootTwo)
{
    ConstructionWindowWidget window(*m_application);
    window.show();
    window.openScriptEditor();
    ScriptEditorWidget& editor = *window.scriptEditor();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    QAction* item = editor.action("calculator");
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->isEnabled());

    std::string clipboard;
    int wordsInside = 0;
    onNextModal([&](QDialog& dialog) {
        auto* calculator = qobject_cast<CalculatorWidget*>(&dialog);
        ASSERT_NE(calculator, nullptr);
        EXPECT_EQ(calculator->windowTitle(), "Calculator");
        wordsInside = longWords();
        QTest::keyClick(calculator, Qt::Key_N, Qt::ControlModifier);
        QTest::keyClick(calculator, Qt::Key_1);
        QTest::keyClick(calculator, Qt::Key_Down);
        QTest::keyClick(calculator, Qt::Key_R, Qt::ControlModifier);
        QTest::keyClick(calculator, Qt::Key_2);
        EXPECT_EQ(printExpressionText(calculator->model().editor().expression()), "1/sqrt(2)");
        QTest::keyClick(calculator, Qt::Key_Equal);
        ASSERT_TRUE(calculator->model().result());
        auto* compute = calculator->findChild<QPushButton*>("BImage1");
        ASSERT_NE(compute, nullptr);
        EXPECT_TRUE(compute->isVisible());
        clipboard = QGuiApplication::clipboard()->text().toStdString();
        dialog.reject();
    });
    item->trigger();
    EXPECT_EQ(wordsInside, 50);
    EXPECT_EQ(clipboard.substr(0, 12), "0.7071067811");
    EXPECT_EQ(longWords(), kLongWordsAtStart);
}

TEST_F(CalculatorWidgetTest, FractionsWindowOpensFromTheEditorAndSimplifies)
{
    ConstructionWindowWidget window(*m_application);
    window.show();
    window.openScriptEditor();
    ScriptEditorWidget& editor = *window.scriptEditor();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    QAction* item = editor.action("algebra");
    ASSERT_NE(item, nullptr);

    std::string simplified;
    std::string value;
    std::string caption;
    onNextModal([&](QDialog& dialog) {
        auto* fractions = qobject_cast<FractionsWindowWidget*>(&dialog);
        ASSERT_NE(fractions, nullptr);
        caption = fractions->windowTitle().toStdString();
        QTest::keyClick(fractions, Qt::Key_N, Qt::ControlModifier);
        QTest::keyClick(fractions, Qt::Key_1);
        QTest::keyClick(fractions, Qt::Key_Down);
        QTest::keyClick(fractions, Qt::Key_R, Qt::ControlModifier);
        QTest::keyClick(fractions, Qt::Key_2);
        QTest::keyClick(fractions, Qt::Key_Equal);
        simplified = printExpressionText(fractions->model().editor().expression());
        auto* restore = fractions->findChild<QPushButton*>("NImage5");
        EXPECT_TRUE(restore && restore->isVisible());
        fractions->action("Value")->trigger();
        value = fractions->model().valueText();
        // Unsaved changes: the question is answered No.
        onNextModal([](QDialog& question) {
            auto* box = qobject_cast<QMessageBox*>(&question);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "Files");
            box->button(QMessageBox::No)->click();
        });
        dialog.close();
    });
    item->trigger();
    EXPECT_EQ(caption, "NoName");
    EXPECT_EQ(simplified, "sqrt(2)/2");
    EXPECT_EQ(value, "0.7071068");
}

TEST_F(CalculatorWidgetTest, DescriptionBoxKeepsAtMost250Characters)
{
    FractionsWindowWidget fractions(m_host, m_application->imagesDirectory());
    fractions.show();
    auto* box = fractions.findChild<QWidget*>("descriptionBox");
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isVisible());
    fractions.findChild<QPushButton*>("koment")->click();
    EXPECT_TRUE(box->isVisible());
    auto* text = box->findChild<QPlainTextEdit*>("description");
    text->setPlainText(QString(300, 'a'));
    EXPECT_EQ(text->toPlainText().size(), 250);
    for (QPushButton* button : box->findChildren<QPushButton*>())
        if (button->text() == "OK")
            button->click();
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(fractions.model().description(), std::string(250, 'a'));
}

TEST_F(CalculatorWidgetTest, PrecisionAndComplexNumbersFromTheSettingsMenu)
{
    CalculatorWidget calculator(m_host, m_application->imagesDirectory());
    calculator.show();
    QAction* complex = calculator.action("Complex Numbers");
    ASSERT_NE(complex, nullptr);
    EXPECT_FALSE(complex->isChecked());
    calculator.model().editor().setExpression(parseExpressionText("2*i").tree);
    QTest::keyClick(&calculator, Qt::Key_Equal);
    EXPECT_TRUE(complex->isChecked());

    onNextModal([](QDialog& dialog) {
        auto* precision = qobject_cast<PrecisionDialogWidget*>(&dialog);
        ASSERT_NE(precision, nullptr);
        EXPECT_EQ(precision->windowTitle(), "Calculator - Precision");
        precision->scrollBar()->setValue(9);
        EXPECT_EQ(precision->model().text(), "Number of significant digits:  54 ");
        dialog.accept();
    });
    calculator.action("Precision")->trigger();
    EXPECT_EQ(calcWords(), 18);
    EXPECT_EQ(longWords(), 28);
}

} // namespace
} // namespace kestrane
