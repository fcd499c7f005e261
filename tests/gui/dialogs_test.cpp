#include "app/directories_dialog.h"
#include "gui/button_pictures.h"
#include "gui/directories_dialog_widget.h"
#include "platform/scripted_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTest>
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
