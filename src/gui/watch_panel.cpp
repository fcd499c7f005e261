// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/watch_panel.h"

#include "platform/translation.h"
#include "runtime/construction_window.h"
#include "runtime/watch_values.h"
#include "script/script_file.h"

#include <QHeaderView>
#include <QListWidget>
#include <QSplitter>
#include <QTableWidget>

namespace kestrane {

namespace {

QString text(std::string_view view)
{
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

QString utf8(const char* text)
{
    return QString::fromUtf8(text);
}

QString fileName(const ScriptFile* file)
{
    if (!file)
        return {};
    return text(file->name.empty() ? file->path : file->name);
}

} // namespace

WatchPanel::WatchPanel(const ConstructionWindow& model, QWidget* parent)
    : QDockWidget(utf8(translate("Watch")), parent)
    , m_model(model)
    , m_stack(new QListWidget(this))
    , m_values(new QTableWidget(0, 3, this))
{
    setObjectName("watchPanel");
    m_stack->setObjectName("watchStack");
    m_values->setObjectName("watchValues");
    m_values->setHorizontalHeaderLabels(
        {utf8(translate("Name")), utf8(translate("Kind")), utf8(translate("Value"))});
    m_stack->setToolTip(
        utf8(translate("The procedures of the paused program, the innermost first")));
    m_values->setToolTip(utf8(translate(
        "The names of the selected procedure; point at a value cut short by … to read it whole")));
    m_values->verticalHeader()->hide();
    m_values->horizontalHeader()->setStretchLastSection(true);
    m_values->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_values->setSelectionBehavior(QAbstractItemView::SelectRows);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_stack);
    splitter->addWidget(m_values);
    splitter->setStretchFactor(1, 3);
    setWidget(splitter);
    // The panel must not take the space bar from the drawing.
    setFocusPolicy(Qt::NoFocus);
    m_stack->setFocusPolicy(Qt::ClickFocus);
    m_values->setFocusPolicy(Qt::ClickFocus);
    connect(m_stack, &QListWidget::currentRowChanged, this, [this] { showValues(); });
}

void WatchPanel::refresh()
{
    QString selected = m_stack->currentItem() ? m_stack->currentItem()->text() : QString();
    QSignalBlocker blocker(m_stack);
    m_stack->clear();
    if (m_model.paused()) {
        const ScriptFile* main = m_model.programFile();
        for (const StackEntry& entry : m_model.interpreter().callStack()) {
            QString where = entry.place.file == main
                                ? utf8(translate("line %1")).arg(entry.place.line + 1)
                                : utf8(translate("%1, line %2"))
                                      .arg(fileName(entry.place.file))
                                      .arg(entry.place.line + 1);
            m_stack->addItem(text(entry.procedure) + "  (" + where + ")");
        }
    }
    int row = 0;
    for (int index = 0; index < m_stack->count(); ++index) {
        if (m_stack->item(index)->text() == selected)
            row = index;
    }
    if (m_stack->count() > 0)
        m_stack->setCurrentRow(row);
    showValues();
}

void WatchPanel::showEvent(QShowEvent* event)
{
    QDockWidget::showEvent(event);
    refresh();
}

void WatchPanel::showValues()
{
    int row = m_stack->currentRow();
    std::vector<StackEntry> stack =
        m_model.paused() ? m_model.interpreter().callStack() : std::vector<StackEntry>();
    std::vector<WatchValue> values;
    if (row >= 0 && static_cast<std::size_t>(row) < stack.size())
        values = watchFrame(m_model.state(), stack[static_cast<std::size_t>(row)]);
    m_values->setUpdatesEnabled(false);
    m_values->setRowCount(static_cast<int>(values.size()));
    for (int index = 0; index < static_cast<int>(values.size()); ++index) {
        const WatchValue& value = values[static_cast<std::size_t>(index)];
        auto* valueItem = new QTableWidgetItem(text(shortenedText(value.text, kValueWidth)));
        valueItem->setToolTip(text(value.text));
        m_values->setItem(index, 0, new QTableWidgetItem(text(value.name)));
        m_values->setItem(index, 1, new QTableWidgetItem(text(translate(value.kindName))));
        m_values->setItem(index, 2, valueItem);
    }
    m_values->setUpdatesEnabled(true);
}

} // namespace kestrane
