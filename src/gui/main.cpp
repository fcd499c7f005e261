// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"
#include "gui/construction_window_widget.h"
#include "gui/qt_host.h"
#include "gui/script_editor_widget.h"
#include "gui/widget_translator.h"
#include "platform/translation.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>

#include <cctype>
#include <exception>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName("Kestrane");
    kestrane::setUpTranslations(
        kestrane::localeDirectoryFor(QCoreApplication::applicationFilePath().toStdString()));
    kestrane::installWindowTranslations();
    try {
        auto paths = kestrane::ProgramPaths::forExecutable(
            QCoreApplication::applicationFilePath().toStdString());
        // A file given by the desktop (kestrane FILE.kst) opens in the
        // editor; its path is taken before start() moves to the main
        // directory.
        std::string fileToOpen;
        if (argc > 1)
            fileToOpen = std::filesystem::absolute(argv[1]).string();
        kestrane::QtHost host({});
        kestrane::Application application(host, paths);
        // The main window reads the prime table, the options and the
        // directories while it is made.
        application.start();
        host.setHelpDirectory(application.helpIndex().parent_path());
        std::filesystem::path icon = application.findDataFile("kestrane.svg");
        if (!icon.empty())
            QApplication::setWindowIcon(QIcon(QString::fromStdString(icon.string())));
        kestrane::ConstructionWindowWidget mainWindow(application);
        mainWindow.show();
        if (!fileToOpen.empty()) {
            mainWindow.openScriptEditor();
            // Fraction and function files open in their own windows, once
            // the event loop runs; anything else is a script.
            std::string extension = std::filesystem::path(fileToOpen).extension().string();
            for (char& character : extension)
                character = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
            kestrane::ScriptEditorWidget* editor = mainWindow.scriptEditor();
            if (extension == ".fra")
                QTimer::singleShot(
                    0, editor, [editor, fileToOpen] { editor->openFractionsWindow(fileToOpen); });
            else if (extension == ".fct")
                QTimer::singleShot(0, editor,
                                   [editor, fileToOpen] { editor->openGraphWindow(fileToOpen); });
            else
                editor->openFile(fileToOpen);
        }
        return QApplication::exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, "Kestrane",
                              QString("The program must stop: %1").arg(error.what()));
        return 1;
    }
}
