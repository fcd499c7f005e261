// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>

#include <functional>

namespace kestrane::testing {

// Runs `act` on the next modal dialog that opens. (A dialog nobody answers
// is closed by the guard of the test environment, failing the test.)
inline void onNextModal(std::function<void(QDialog&)> act)
{
    auto* timer = new QTimer(QApplication::instance());
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        // A dialog becomes the modal widget a moment before it is shown;
        // answering it then would be lost.
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            act(*dialog);
        }
    });
    timer->start();
}

// Types a file name into a file dialog as a user would. selectFile alone
// leaves the name field as it is while the field has the focus, which
// depends on timing.
inline void typeFileName(QFileDialog& files, const QString& path)
{
    QFileInfo info(path);
    QString name = info.isAbsolute() ? info.fileName() : path;
    if (info.isAbsolute())
        files.setDirectory(info.absolutePath());
    files.selectFile(name);
    if (auto* edit = files.findChild<QLineEdit*>("fileNameEdit"))
        edit->setText(name);
}

} // namespace kestrane::testing
