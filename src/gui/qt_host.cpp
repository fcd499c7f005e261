// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/qt_host.h"

#include "app/about_box.h"
#include "app/directories_dialog.h"
#include "app/module_dialog.h"
#include "fractions/font_window.h"
#include "graphs/domain_dialog.h"
#include "gui/about_dialog.h"
#include "gui/colors_dialog_widget.h"
#include "gui/directories_dialog_widget.h"
#include "gui/domain_dialog_widget.h"
#include "gui/find_dialog_widget.h"
#include "gui/font_window_widget.h"
#include "gui/help_viewer.h"
#include "gui/module_dialog_widget.h"
#include "gui/qt_canvas.h"
#include "platform/translation.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QMessageBox>

namespace kestrane {

namespace {

QWidget* activeWindow()
{
    return QApplication::activeWindow();
}

QString join(const std::vector<std::string>& filters)
{
    QStringList list;
    for (const std::string& filter : filters)
        list << QString::fromStdString(translate(filter));
    return list.join(";;");
}

QMessageBox::Icon toQIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MessageAnswer fromQButton(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Ok;
    }
}

std::optional<std::string> chosenPath(const QString& path)
{
    if (path.isEmpty())
        return {};
    return path.toStdString();
}

} // namespace

QtHost::QtHost(std::filesystem::path helpDirectory) : m_helpDirectory(std::move(helpDirectory)) {}

QtHost::~QtHost() = default;

MessageAnswer QtHost::message(const MessageRequest& request)
{
    QMessageBox box(toQIcon(request.icon), QString::fromStdString(translate(request.caption)),
                    QString::fromStdString(translate(request.text)), toQButtons(request.buttons),
                    activeWindow());
    box.setDefaultButton(request.buttons == MessageButtons::Ok ||
                                 request.buttons == MessageButtons::OkCancel
                             ? QMessageBox::Ok
                             : QMessageBox::Yes);
    return fromQButton(box.exec());
}

std::optional<std::string> QtHost::chooseFileToOpen(const FileDialogRequest& request)
{
    return chosenPath(QFileDialog::getOpenFileName(
        activeWindow(), QString::fromStdString(translate(request.title)),
        QString::fromStdString(request.directory + (request.directory.empty() ? "" : "/") +
                               request.fileName),
        join(request.filters)));
}

std::optional<std::string> QtHost::chooseFileToSave(const FileDialogRequest& request)
{
    return chosenPath(QFileDialog::getSaveFileName(
        activeWindow(), QString::fromStdString(translate(request.title)),
        QString::fromStdString(request.directory + (request.directory.empty() ? "" : "/") +
                               request.fileName),
        join(request.filters)));
}

std::optional<FontChoice> QtHost::chooseFont(const FontChoice& current)
{
    bool chosen = false;
    QFont initial(QString::fromStdString(current.name));
    if (current.height > 0)
        initial.setPixelSize(current.height);
    QFont font = QFontDialog::getFont(&chosen, initial, activeWindow());
    if (!chosen)
        return {};
    // The dialog works in points; the height wanted is the font's size in
    // pixels, not the height of its lines (which is larger).
    int height = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    return FontChoice{font.family().toStdString(), height};
}

std::optional<ColorRef> QtHost::chooseColour(ColorRef current)
{
    QColor colour = QColorDialog::getColor(toQColor(current), activeWindow());
    if (!colour.isValid())
        return {};
    return fromQColor(colour);
}

DialogResult QtHost::runModal(ModalDialog& dialog)
{
    std::unique_ptr<QDialog> widget;
    if (auto* module = dynamic_cast<ModuleDialog*>(&dialog))
        widget = std::make_unique<ModuleDialogWidget>(*module, activeWindow());
    else if (auto* directories = dynamic_cast<DirectoriesDialog*>(&dialog))
        widget = std::make_unique<DirectoriesDialogWidget>(*directories, *this, activeWindow());
    else if (auto* font = dynamic_cast<FontWindow*>(&dialog))
        widget = std::make_unique<FontWindowWidget>(*font, *this, activeWindow());
    else if (auto* find = dynamic_cast<FindDialog*>(&dialog))
        widget = std::make_unique<FindDialogWidget>(*find, activeWindow());
    else if (auto* domain = dynamic_cast<DomainDialog*>(&dialog))
        widget = std::make_unique<DomainDialogWidget>(*domain, activeWindow());
    else if (auto* colours = dynamic_cast<ColorsDialog*>(&dialog))
        widget = std::make_unique<ColorsDialogWidget>(*colours, *this, activeWindow());
    else if (auto* about = dynamic_cast<AboutBox*>(&dialog))
        widget = std::make_unique<AboutDialog>(*about, activeWindow());
    if (!widget)
        return DialogResult::Rejected;
    return widget->exec() == QDialog::Accepted ? DialogResult::Accepted : DialogResult::Rejected;
}

void QtHost::showHelp(const std::string& page)
{
    // A modal dialog blocks every window but its own: help asked for there
    // opens as a window of that dialog, to be read, scrolled and closed
    // while the dialog stays open.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        auto* viewer = new HelpViewer(m_helpDirectory, modal);
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        viewer->open(QString::fromStdString(page));
        return;
    }
    if (!m_helpViewer)
        m_helpViewer = std::make_unique<HelpViewer>(m_helpDirectory);
    m_helpViewer->open(QString::fromStdString(page));
}

std::string QtClipboard::text() const
{
    return QApplication::clipboard()->text().toStdString();
}

void QtClipboard::setText(const std::string& text)
{
    QApplication::clipboard()->setText(QString::fromStdString(text));
}

} // namespace kestrane
