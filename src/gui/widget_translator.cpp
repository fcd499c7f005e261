// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widget_translator.h"

#include "platform/translation.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QTranslator>
#include <QWidget>

namespace kestrane {

namespace {

QString translated(const QString& text)
{
    if (text.isEmpty())
        return text;
    // "&Main\tCtrl+M": the keys shown beside an item stay as they are.
    qsizetype tab = text.indexOf('\t');
    if (tab >= 0)
        return translated(text.left(tab)) + text.mid(tab);
    QByteArray bytes = text.toUtf8();
    const char* result = translate(bytes.constData());
    return result == bytes.constData() ? text : QString::fromUtf8(result);
}

template<typename Get, typename Set>
void translateProperty(Get get, Set set)
{
    QString before = get();
    QString after = translated(before);
    if (after != before)
        set(after);
}

void translateActions(QWidget* widget)
{
    for (QAction* action : widget->actions())
        translateProperty([action] { return action->text(); },
                          [action](const QString& text) { action->setText(text); });
}

void translateOne(QWidget* widget)
{
    // What assistive tools read, as the texts that are shown.
    translateProperty([widget] { return widget->accessibleName(); },
                      [widget](const QString& text) { widget->setAccessibleName(text); });
    translateProperty([widget] { return widget->accessibleDescription(); },
                      [widget](const QString& text) { widget->setAccessibleDescription(text); });
    if (widget->isWindow())
        translateProperty([widget] { return widget->windowTitle(); },
                          [widget](const QString& text) { widget->setWindowTitle(text); });
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        translateProperty([button] { return button->text(); },
                          [button](const QString& text) { button->setText(text); });
    else if (auto* label = qobject_cast<QLabel*>(widget))
        translateProperty([label] { return label->text(); },
                          [label](const QString& text) { label->setText(text); });
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        translateProperty([group] { return group->title(); },
                          [group](const QString& text) { group->setTitle(text); });
    else if (qobject_cast<QMenuBar*>(widget) || qobject_cast<QMenu*>(widget))
        translateActions(widget);
}

} // namespace

void WidgetTranslator::translateTree(QWidget* widget)
{
    translateOne(widget);
    for (QWidget* child : widget->findChildren<QWidget*>())
        translateOne(child);
}

bool WidgetTranslator::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow())
            translateTree(widget);
    }
    return QObject::eventFilter(watched, event);
}

void installWindowTranslations()
{
    std::string language = chosenLanguage();
    if (language.empty())
        return;
    auto* application = QCoreApplication::instance();
    QLocale locale(QString::fromStdString(language));
    const QString directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* qtTranslator = new QTranslator(application);
    if (qtTranslator->load(locale, "qtbase", "_", directory))
        QCoreApplication::installTranslator(qtTranslator);
    application->installEventFilter(new WidgetTranslator(application));
}

} // namespace kestrane
