// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/recent_menu.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTimer>

#include <filesystem>

namespace kestrane {

namespace {

// Menu texts of the entries: a number key, then the name; the whole path
// is in the status tip.
QString entryText(int index, const std::string& path)
{
    QString name = QString::fromStdString(std::filesystem::path(path).filename().string());
    name.replace('&', "&&");
    return index < 9 ? QString("&%1 %2").arg(index + 1).arg(name) : QString("1&0 %1").arg(name);
}

} // namespace

QMenu* addRecentMenu(QMenu* fileMenu, RecentKind kind, std::function<bool(const std::string&)> open)
{
    QMenu* recent = fileMenu->addMenu("Open &Recent");
    recent->setObjectName("recent");
    recent->menuAction()->setObjectName("recentMenu");
    QObject::connect(recent, &QMenu::aboutToShow, recent, [recent, kind, open] {
        recent->clear();
        std::vector<std::string> paths = RecentFiles().list(kind);
        if (paths.empty()) {
            recent->addAction("(no files)")->setEnabled(false);
            return;
        }
        for (std::size_t index = 0; index < paths.size(); ++index) {
            const std::string& path = paths[index];
            QAction* item = recent->addAction(entryText(static_cast<int>(index), path));
            item->setObjectName(QString("recent%1").arg(index));
            item->setStatusTip(QString::fromStdString(path));
            item->setToolTip(QString::fromStdString(path));
            QObject::connect(item, &QAction::triggered, recent, [kind, open, path] {
                std::error_code error;
                if (open(path))
                    rememberRecent(kind, path);
                else if (!std::filesystem::exists(path, error))
                    RecentFiles().remove(kind, path);
            });
        }
    });
    return recent;
}

void rememberRecent(RecentKind kind, const std::string& path)
{
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error))
        return;
    RecentFiles().add(kind, path);
}

void quitFrom(QWidget& window)
{
    QWidget* top = window.window();
    if (!top->close())
        return;
    // A modal window's exec() returns first; then the main window closes.
    QTimer::singleShot(0, qApp, [] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == "constructionWindow" && widget->isVisible()) {
                widget->close();
                return;
            }
        }
    });
}

} // namespace kestrane
