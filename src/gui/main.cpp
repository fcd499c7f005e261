#include "app/application.h"
#include "gui/construction_window_widget.h"
#include "gui/qt_host.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>

int main(int argc, char** argv)
{
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName("Kestrane");
    try {
        auto paths = kestrane::ProgramPaths::forExecutable(
            QCoreApplication::applicationFilePath().toStdString());
        kestrane::QtHost host({});
        kestrane::Application application(host, paths);
        // The main window reads the prime table, the options and the
        // directories while it is made.
        application.start();
        host.setHelpDirectory(application.helpIndex().parent_path());
        kestrane::ConstructionWindowWidget mainWindow(application);
        mainWindow.show();
        return QApplication::exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, "Kestrane",
                              QString("The program must stop: %1").arg(error.what()));
        return 1;
    }
}
