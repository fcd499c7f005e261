// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"
#include "gui/construction_window_widget.h"
#include "gui/qt_host.h"
#include "modal_helper.h"
#include "platform/files.h"
#include "program_paths.h"
#include "runtime/figure_program.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

#include <fstream>
#include <sstream>

namespace kestrane {
namespace {

using testing::onNextModal;

// Edit > Export picture… and Save figure as program… driven through their
// file dialogs, as a user chooses a filter and types a name.
class FigureExportDialogs : public ::testing::Test {
protected:
    FigureExportDialogs() : m_host(std::filesystem::path(KESTRANE_SOURCE_DIR) / "help")
    {
        m_paths = testing::programPathsIn(m_dir.path());
        std::filesystem::create_directories(m_dir / "out");
    }

    QAction* editItem(QMainWindow& window, const QString& text)
    {
        for (QAction* menu : window.menuBar()->actions()) {
            if (menu->text() != "&Edit")
                continue;
            for (QAction* action : menu->menu()->actions()) {
                if (action->text() == text)
                    return action;
            }
        }
        return nullptr;
    }

    // Answers the next file dialog with a filter (when given) and a name.
    void chooseFile(const QString& filter, const std::filesystem::path& path)
    {
        onNextModal([filter, path](QDialog& dialog) {
            auto* files = qobject_cast<QFileDialog*>(&dialog);
            ASSERT_NE(files, nullptr);
            if (!filter.isEmpty()) {
                ASSERT_TRUE(files->nameFilters().contains(filter));
                files->selectNameFilter(filter);
            }
            answer(files, QString::fromStdString(path.parent_path().string()),
                   QString::fromStdString(path.filename().string()), 50);
        });
    }

    // Types the name in the directory and accepts. A busy machine may still
    // be reading the directory the dialog came up in, and the dialog then
    // stays open: the answer is given again a little later.
    static void answer(QFileDialog* files, const QString& directory, const QString& name, int tries)
    {
        files->setDirectory(directory);
        testing::typeFileName(*files, name);
        QMetaObject::invokeMethod(files, "accept");
        if (tries > 1) {
            QPointer<QFileDialog> open(files);
            QTimer::singleShot(200, files, [open, directory, name, tries] {
                if (open && open->isVisible())
                    answer(open, directory, name, tries - 1);
            });
        }
    }

    static std::string contents(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    std::vector<std::string> outFiles() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir / "out"))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    kestrane::testing::CurrentDirectoryGuard m_currentDirectory;
    kestrane::testing::TempDir m_dir;
    ProgramPaths m_paths;
    QtHost m_host;
};

TEST_F(FigureExportDialogs, EachFilterWritesItsFormatUnderTheTypedName)
{
    Application application(m_host, m_paths);
    application.start();
    ConstructionWindowWidget window(application);
    ConstructionWindow& model = application.constructionWindow();
    model.chooseTool(Tool::Circle);
    model.click(200, 200);
    model.click(260, 240);
    QAction* exportItem = editItem(window, "&Export picture…");
    ASSERT_NE(exportItem, nullptr);

    struct Case {
        QString filter;
        std::string typed;
        std::string written;
        std::string start;
    };
    const Case cases[] = {
        {"PNG image (*.png)", "picture", "picture.png", "\x89PNG"},
        {"SVG drawing (*.svg)", "drawing.svg", "drawing.svg", "<?xml"},
        {"PDF document (*.pdf)", "page", "page.pdf", "%PDF"},
        {"TikZ picture for LaTeX (*.tex)", "sheet", "sheet.tex", "\\documentclass{standalone}"},
        // A typed picture extension decides the format, whatever the filter.
        {"PDF document (*.pdf)", "other.png", "other.png", "\x89PNG"},
        {"PNG image (*.png)", "figx.svg", "figx.svg", "<?xml"},
        {"SVG drawing (*.svg)", "sheet2.TEX", "sheet2.TEX", "\\documentclass{standalone}"},
        // Any other extension is part of the name: the filter's is added.
        {"PDF document (*.pdf)", "notes.v2", "notes.v2.pdf", "%PDF"},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.written);
        chooseFile(item.filter, m_dir / "out" / item.typed);
        exportItem->trigger();
        std::string bytes = contents(m_dir / "out" / item.written);
        EXPECT_TRUE(bytes.starts_with(item.start)) << bytes.substr(0, 40);
    }
    EXPECT_NE(contents(m_dir / "out" / "sheet.tex").find("ellipse"), std::string::npos);
    // Written through a temporary file that is gone again: nothing else
    // lies in the directory.
    EXPECT_EQ(outFiles(),
              (std::vector<std::string>{"drawing.svg", "figx.svg", "notes.v2.pdf", "other.png",
                                        "page.pdf", "picture.png", "sheet.tex", "sheet2.TEX"}));
}

TEST_F(FigureExportDialogs, SaveFigureAsProgramWritesTheScriptOfTheDrawing)
{
    Application application(m_host, m_paths);
    application.start();
    ConstructionWindowWidget window(application);
    ConstructionWindow& model = application.constructionWindow();
    model.chooseTool(Tool::Line);
    model.click(100, 300);
    model.click(700, 310);
    model.chooseTool(Tool::Segment);
    model.click(400, 100);
    model.click(410, 500);
    QAction* saveItem = editItem(window, "Save figure as &program…");
    ASSERT_NE(saveItem, nullptr);

    chooseFile({}, m_dir / "out" / "lesson");
    saveItem->trigger();
    std::string saved = contents(m_dir / "out" / "lesson.kst");
    EXPECT_EQ(saved, figureProgram(model.store(), model.figures()));
    EXPECT_NE(saved.find("=Inters2Lin(L1,d1)"), std::string::npos) << saved;

    // Cancelling writes nothing.
    onNextModal([](QDialog& dialog) { dialog.reject(); });
    saveItem->trigger();
    EXPECT_EQ(outFiles(), std::vector<std::string>{"lesson.kst"});
}

} // namespace
} // namespace kestrane
