// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/directories_dialog.h"
#include "gui/button_pictures.h"
#include "gui/directories_dialog_widget.h"
#include "gui/help_viewer.h"
#include "gui/qt_host.h"
#include "platform/scripted_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeView>

namespace kestrane {
namespace {

TEST(DirectoriesDialogWidget, EnterSavesAndCancelDoesNot)
{
    Directories directories;
    directories.main = "/tmp";
    ScriptedHost host;
    {
        DirectoriesDialog model(directories);
        DirectoriesDialogWidget widget(model, host);
        EXPECT_EQ(widget.windowTitle(), "Find directory.");
        widget.show();
        QTest::keyClick(&widget, Qt::Key_Return);
        EXPECT_EQ(widget.result(), QDialog::Accepted);
        EXPECT_EQ(model.action(), DirectoriesAction::Save);
        EXPECT_EQ(model.newValue(DirectoryKind::Main), "/tmp");
    }
    {
        DirectoriesDialog model(directories);
        DirectoriesDialogWidget widget(model, host);
        widget.show();
        widget.findChild<QAbstractButton*>("saveInHome")->click();
        EXPECT_EQ(model.action(), DirectoriesAction::SaveInHome);
    }
    {
        DirectoriesDialog model(directories);
        DirectoriesDialogWidget widget(model, host);
        widget.show();
        QTest::keyClick(&widget, Qt::Key_Escape);
        EXPECT_EQ(model.action(), DirectoriesAction::Cancel);
    }
}

TEST(DirectoriesDialogWidget, OpensAtTheMainDirectoryShownInTheList)
{
    testing::TempDir dir;
    std::filesystem::create_directories(dir / "deep/inside/main");
    Directories directories;
    directories.main = (dir / "deep/inside/main").string();
    ScriptedHost host;
    DirectoriesDialog model(directories);
    DirectoriesDialogWidget widget(model, host);
    widget.show();
    auto* tree = widget.findChild<QTreeView*>();
    ASSERT_NE(tree, nullptr);
    QString wanted = QString::fromStdString(directories.main);
    auto* files = qobject_cast<QFileSystemModel*>(tree->model());
    ASSERT_NE(files, nullptr);
    QModelIndex index = files->index(wanted);
    for (int wait = 0; wait < 100 && tree->visualRect(index).isEmpty(); ++wait)
        QTest::qWait(20);
    EXPECT_EQ(files->filePath(tree->currentIndex()), wanted);
    EXPECT_TRUE(tree->isExpanded(index.parent()));
    EXPECT_TRUE(tree->viewport()->rect().intersects(tree->visualRect(index)));
}

TEST(DirectoriesDialogWidget, HelpOpensAWindowOfTheDialogThatCanBeUsedMeanwhile)
{
    Directories directories;
    directories.main = "/tmp";
    QtHost host(std::filesystem::path(KESTRANE_SOURCE_DIR) / "help");
    DirectoriesDialog model(directories);
    DirectoriesDialogWidget widget(model, host);
    HelpViewer* viewer = nullptr;
    QTimer::singleShot(0, &widget, [&] {
        for (QPushButton* button : widget.findChildren<QPushButton*>()) {
            if (button->text() == "Help")
                button->click();
        }
        viewer = widget.findChild<HelpViewer*>();
        ASSERT_NE(viewer, nullptr);
        EXPECT_TRUE(viewer->isVisible());
        EXPECT_TRUE(viewer->isWindow());
        EXPECT_FALSE(viewer->browser()->toPlainText().isEmpty());
        viewer->close();
        widget.reject();
    });
    widget.exec();
    EXPECT_NE(viewer, nullptr);
}

TEST(ButtonPictures, DecodeTheShippedPicturesAndRefuseMissingOnes)
{
    std::filesystem::path images = std::filesystem::path(KESTRANE_SOURCE_DIR) / "images";
    QPixmap root = loadButtonPicture(images, "root");
    EXPECT_EQ(root.size(), QSize(41, 27));
    EXPECT_TRUE(loadButtonPicture(images, "no such picture").isNull());
    testing::TempDir dir;
    dir.write("broken.jpg", "not a jpeg");
    EXPECT_TRUE(loadButtonPicture(dir.path(), "broken").isNull());
}

} // namespace
} // namespace kestrane
