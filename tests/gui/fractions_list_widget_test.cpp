// SPDX-License-Identifier: GPL-3.0-or-later
// The Fractions and Roots window's variables on screen: NImage1 opens the
// New Variable Editor, keys define a variable, the list shows it with its
// scroll bar, a click on its cross disables it; the Options menus.
#include "app/application.h"
#include "expressions/expression_text.h"
#include "gui/colors_dialog_widget.h"
#include "gui/fractions_window_widget.h"
#include "gui/qt_host.h"
#include "modal_helper.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace kestrane {
namespace {

using testing::onNextModal;

class FractionsListWidgetTest : public ::testing::Test {
protected:
    FractionsListWidgetTest() : m_host(std::filesystem::path(KESTRANE_SOURCE_DIR) / "help") {}

    std::filesystem::path images() const
    {
        return std::filesystem::path(KESTRANE_SOURCE_DIR) / "images";
    }

    QtHost m_host;
};

TEST_F(FractionsListWidgetTest, TheMenusCarryTheirItems)
{
    FractionsWindowWidget window(m_host, images());
    for (const char* name : {"New variable", "Precision", "Complex Numbers", "Font", "Colors",
                             "Save options", "Index", "About", "List of variables", "Value"})
        EXPECT_NE(window.action(name), nullptr) << name;
    EXPECT_TRUE(window.action("Complex Numbers")->isCheckable());
}

TEST_F(FractionsListWidgetTest, ANewVariableTypedInTheEditorShowsInTheList)
{
    FractionsWindowWidget window(m_host, images());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    std::string title;
    onNextModal([&title](QDialog& dialog) {
        title = dialog.windowTitle().toStdString();
        EXPECT_EQ(dialog.size(), QSize(696, 585));
        QTest::keyClick(&dialog, Qt::Key_A);
        QTest::keyClick(&dialog, Qt::Key_F2);
        QTest::keyClick(&dialog, Qt::Key_N, Qt::ControlModifier);
        QTest::keyClick(&dialog, Qt::Key_1);
        QTest::keyClick(&dialog, Qt::Key_Down);
        QTest::keyClick(&dialog, Qt::Key_2);
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    window.findChild<QPushButton*>("NImage1")->click();
    EXPECT_EQ(title, "New Variable Editor");
    ASSERT_EQ(window.model().variables().count(), 1);
    EXPECT_EQ(window.model().variables().record(0).name, "a");
    EXPECT_EQ(printExpressionText(*window.model().variables().record(0).value), "1/2");

    window.model().editor().setExpression(parseExpressionText("a+1").tree);
    window.action("List of variables")->trigger();
    ASSERT_EQ(window.model().mode(), FractionsWindow::Mode::List);
    EXPECT_TRUE(window.findChild<QPushButton*>("HImage1")->isVisible());
    EXPECT_FALSE(window.findChild<QPushButton*>("NImage1")->isVisible());
    EXPECT_FALSE(window.scrollBar()->isVisible());

    QWidget* area = window.findChild<QWidget*>("expressionArea");
    ASSERT_NE(area, nullptr);
    int crossY = window.model().variables().record(0).rowTop + 15;
    QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(170, crossY));
    EXPECT_FALSE(window.model().variables().record(0).enabled);
}

TEST_F(FractionsListWidgetTest, AFilledMemoryShowsItsRedPicture)
{
    FractionsWindowWidget window(m_host, images());
    window.show();
    auto button = [&window](const char* name) { return window.findChild<QPushButton*>(name); };
    EXPECT_TRUE(button("M1In")->isVisible());
    EXPECT_FALSE(button("M1InRed")->isVisible());
    EXPECT_FALSE(button("M1Out")->isVisible());
    window.model().editor().setExpression(parseExpressionText("2+x").tree);
    window.model().editor().drag(0, 0, 2000, 2000);
    button("M1In")->click();
    EXPECT_FALSE(button("M1In")->isVisible());
    EXPECT_TRUE(button("M1InRed")->isVisible());
    EXPECT_TRUE(button("M1Out")->isVisible());
    EXPECT_TRUE(button("M2In")->isVisible());
}

TEST_F(FractionsListWidgetTest, FractBarScrollsALongList)
{
    FractionsWindowWidget window(m_host, images());
    window.show();
    for (int index = 0; index < 8; ++index)
        window.model().variables().add("v" + std::to_string(index),
                                       parseExpressionText("1/2").tree);
    window.model().editor().setExpression(parseExpressionText("1").tree);
    window.action("List of variables")->trigger();
    QScrollBar* bar = window.scrollBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), window.model().scrollMaximum());
    bar->setValue(2);
    EXPECT_EQ(window.model().variables().scrollOffset, 200);
}

TEST_F(FractionsListWidgetTest, ColorsOpensItsDialog)
{
    FractionsWindowWidget window(m_host, images());
    window.show();
    std::string title;
    onNextModal([&title](QDialog& dialog) {
        title = dialog.windowTitle().toStdString();
        EXPECT_NE(qobject_cast<ColorsDialogWidget*>(&dialog), nullptr);
        EXPECT_EQ(dialog.findChildren<QPushButton*>().size() >= 2, true);
        dialog.reject();
    });
    window.action("Colors")->trigger();
    EXPECT_EQ(title, "Colors");
}

} // namespace
} // namespace kestrane
