// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/about_box.h"
#include "app/directories_dialog.h"
#include "app/module_dialog.h"
#include "platform/files.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

TEST(ModuleState, EverySettingWritesModuleEffectiveModuleAndCopy)
{
    const std::pair<Module, int> cases[] = {
        {Module::Kestrane, 502}, {Module::Dimension2, 502}, {Module::Dimension3, 503},
        {Module::Graphs, 504},   {Module::Curves, 508},     {Module::Dimension4, 604},
    };
    for (auto [module, effective] : cases) {
        ModuleState state;
        state.setCopy(999);
        state.set(module);
        EXPECT_EQ(state.module(), code(module));
        EXPECT_EQ(state.effective(), effective);
        EXPECT_EQ(state.copy(), code(module));
    }
    ModuleState start;
    EXPECT_EQ(start.module(), 501);
    EXPECT_EQ(start.effective(), 502);
}

TEST(ModuleTable, NamesEveryModule)
{
    EXPECT_EQ(findModule(504)->statusName, "Graphs");
    EXPECT_EQ(findModule(505)->statusName, "Fractions and Roots");
    EXPECT_EQ(findModule(604)->keyword, "Dimension4");
    EXPECT_EQ(findModule(502)->menuItem, "Dimension &2");
    EXPECT_EQ(findModule(600), nullptr);
}

TEST(ModuleDialog, OpensOnTheCurrentModule)
{
    EXPECT_EQ(ModuleDialog(504).selectedIndex(), 3);
    EXPECT_EQ(ModuleDialog(501).selectedIndex(), 0);
    EXPECT_FALSE(ModuleDialog(604).selectedIndex()) << "Dimension 4 has no item";
    EXPECT_EQ(ModuleDialog::itemText(1), "dim=2");
    EXPECT_EQ(ModuleDialog::itemText(4), "Fractions and Roots");
}

TEST(ModuleDialog, OkSetsTheChosenModuleAndCancelNothing)
{
    ScriptedHost host;
    ModuleState state;
    host.answerDialog([](ModalDialog& dialog) {
        static_cast<ModuleDialog&>(dialog).select(3);
        return DialogResult::Accepted;
    });
    EXPECT_TRUE(chooseModule(host, state));
    EXPECT_EQ(state.module(), 504);
    EXPECT_EQ(state.effective(), 504);

    host.answerDialog([](ModalDialog& dialog) {
        static_cast<ModuleDialog&>(dialog).select(0);
        return DialogResult::Rejected;
    });
    EXPECT_FALSE(chooseModule(host, state));
    EXPECT_EQ(state.module(), 504);
}

TEST(ModuleDialog, OkWithNothingSelectedChangesNothing)
{
    ScriptedHost host;
    ModuleState state;
    state.set(Module::Dimension4);
    host.answerDialog([](ModalDialog&) { return DialogResult::Accepted; });
    EXPECT_FALSE(chooseModule(host, state));
    EXPECT_EQ(state.module(), 604);
}

class DirectoriesDialogTest : public ::testing::Test {
protected:
    DirectoriesDialogTest()
    {
        m_directories.main = "/home/ann";
        m_directories.working = "/home/ann/work";
        m_directories.library = "";
    }

    bool edit(std::function<void(DirectoriesDialog&)> user)
    {
        m_host.answerDialog([user](ModalDialog& dialog) {
            user(static_cast<DirectoriesDialog&>(dialog));
            return DialogResult::Accepted;
        });
        return editDirectories(m_host, m_directories, m_dir / "options", m_dir / "home/options");
    }

    testing::TempDir m_dir;
    ScriptedHost m_host;
    Directories m_directories;
};

TEST_F(DirectoriesDialogTest, LeavingAKindKeepsTheListDirectoryAsItsNewValue)
{
    DirectoriesDialog dialog(m_directories);
    EXPECT_EQ(dialog.kind(), DirectoryKind::Main);
    EXPECT_EQ(dialog.listDirectory(), "/home/ann");
    dialog.setListDirectory("/srv/main");
    dialog.chooseKind(DirectoryKind::Library);
    EXPECT_EQ(dialog.newValue(DirectoryKind::Main), "/srv/main");
    EXPECT_EQ(dialog.previousValue(DirectoryKind::Main), "/home/ann");
    EXPECT_EQ(dialog.listDirectory(), "");
    dialog.setListDirectory("/srv/lib");
    dialog.close(DirectoriesAction::Save);
    EXPECT_EQ(dialog.newValue(DirectoryKind::Library), "/srv/lib");
}

TEST_F(DirectoriesDialogTest, WithoutAMainDirectoryTheListStartsInTheStartDirectory)
{
    m_directories.main.clear();
    m_directories.program = "/home/ann/kestrane";
    DirectoriesDialog dialog(m_directories);
    EXPECT_EQ(dialog.listDirectory(), "/home/ann/kestrane");
    EXPECT_EQ(dialog.previousValue(DirectoryKind::Main), "");
}

TEST_F(DirectoriesDialogTest, SaveWritesTheProgramDirectoryOptions)
{
    ASSERT_TRUE(edit([](DirectoriesDialog& dialog) {
        dialog.setListDirectory("/srv/main");
        dialog.close(DirectoriesAction::Save);
    }));
    EXPECT_EQ(m_directories.main, "/srv/main");
    EXPECT_EQ(m_directories.working, "/home/ann/work");
    EXPECT_EQ(readWholeFile(m_dir / "options"),
              "Main directory:\r\n/srv/main\r\n\r\nWorking directory:\r\n/home/ann/work\r\n\r\n");
    EXPECT_FALSE(readWholeFile(m_dir / "home/options"));
}

TEST_F(DirectoriesDialogTest, SaveInHomeWritesTheHomeOptions)
{
    ASSERT_TRUE(
        edit([](DirectoriesDialog& dialog) { dialog.close(DirectoriesAction::SaveInHome); }));
    EXPECT_TRUE(readWholeFile(m_dir / "home/options"));
    EXPECT_FALSE(readWholeFile(m_dir / "options"));
}

TEST_F(DirectoriesDialogTest, ShortWorkingAndLibraryValuesAreNotTaken)
{
    ASSERT_TRUE(edit([](DirectoriesDialog& dialog) {
        dialog.chooseKind(DirectoryKind::Working);
        dialog.clear();
        dialog.close(DirectoriesAction::Save);
    }));
    EXPECT_EQ(m_directories.working, "/home/ann/work");
}

TEST_F(DirectoriesDialogTest, CancelChangesNothing)
{
    EXPECT_FALSE(edit([](DirectoriesDialog& dialog) {
        dialog.setListDirectory("/elsewhere");
        dialog.close(DirectoriesAction::Cancel);
    }));
    EXPECT_EQ(m_directories.main, "/home/ann");
    EXPECT_FALSE(readWholeFile(m_dir / "options"));
}

TEST(AboutBox, ShowsTitleAndVersion)
{
    RecordingCanvas canvas;
    AboutBox().paint(canvas, 360, 175);
    EXPECT_EQ(canvas.texts(),
              (std::vector<std::string>{"KESTRANE", "Computer Program", "version 1.8"}));
}

} // namespace
} // namespace kestrane
