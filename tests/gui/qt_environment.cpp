// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdlib>

namespace {

// One QApplication for the whole test program, made before the first test and
// destroyed after the last, as a desktop program has it. A guard closes any
// modal window that stays open for five seconds and fails the test, so an
// unexpected message box never hangs the run.
class QtEnvironment final : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "gui_tests";
        static char* argv[] = {name, nullptr};
        m_application = new QApplication(argc, argv);
        // The windows keep their recent files in the configuration
        // directory: the tests use one of their own.
        m_config = new QTemporaryDir();
        setenv("XDG_CONFIG_HOME", m_config->path().toLocal8Bit().constData(), 1);
        auto* guard = new QTimer(m_application);
        guard->setInterval(500);
        QObject::connect(guard, &QTimer::timeout, guard, [this] { checkModal(); });
        guard->start();
    }
    void TearDown() override
    {
        delete m_application;
        delete m_config;
    }

private:
    void checkModal()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != m_modal) {
            m_modal = modal;
            m_ticks = 0;
            return;
        }
        if (m_modal && ++m_ticks >= 10) {
            ADD_FAILURE() << "a modal window nobody answered: "
                          << m_modal->windowTitle().toStdString();
            if (auto* dialog = qobject_cast<QDialog*>(m_modal.data()))
                dialog->reject();
            else
                m_modal->close();
        }
    }

    QApplication* m_application = nullptr;
    QTemporaryDir* m_config = nullptr;
    QPointer<QWidget> m_modal;
    int m_ticks = 0;
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
