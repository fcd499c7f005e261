#pragma once

#include <QApplication>
#include <QDialog>
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
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(*dialog);
        }
    });
    timer->start();
}

} // namespace kestrane::testing
