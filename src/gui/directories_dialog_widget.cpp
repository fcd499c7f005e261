// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/directories_dialog_widget.h"

#include "gui/assistive_texts.h"
#include "platform/host.h"
#include "platform/translation.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace kestrane {

namespace {

const char* kindWord(DirectoryKind kind)
{
    switch (kind) {
    case DirectoryKind::Main:
        return "main";
    case DirectoryKind::Working:
        return "working";
    case DirectoryKind::Library:
        return "library";
    }
    return "main";
}

} // namespace

DirectoriesDialogWidget::DirectoriesDialogWidget(DirectoriesDialog& model, Host& host,
                                                 QWidget* parent)
    : QDialog(parent)
    , m_model(model)
    , m_host(host)
    , m_files(new QFileSystemModel(this))
    , m_tree(new QTreeView(this))
    , m_newValue(new QLineEdit(this))
    , m_previousValue(new QLineEdit(this))
    , m_newLabel(new QLabel(this))
    , m_previousLabel(new QLabel(this))
    , m_updateLabel(new QLabel(this))
    , m_kinds(new QButtonGroup(this))
{
    setWindowTitle(QString::fromUtf8(DirectoriesDialog::kCaption.data()));
    resize(640, 460);

    // There are no drives: the drive box shows the root.
    auto* drive = new QComboBox(this);
    drive->addItem("/");
    drive->setEnabled(false);

    m_files->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_files->setRootPath("/");
    m_tree->setModel(m_files);
    for (int column = 1; column < m_files->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_tree->header()->hide();
    connect(m_files, &QFileSystemModel::directoryLoaded, this, [this] { revealListDirectory(); });
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                m_model.setListDirectory(m_files->filePath(current).toStdString());
                m_newValue->setText(m_files->filePath(current));
            });

    m_newValue->setReadOnly(true);
    m_previousValue->setReadOnly(true);

    auto* kindsBox = new QGroupBox("Update Directory", this);
    auto* kindsLayout = new QVBoxLayout(kindsBox);
    auto* menuBar = new QMenuBar(this);
    auto* menu = menuBar->addMenu("&Directory");
    const std::pair<DirectoryKind, const char*> kinds[] = {
        {DirectoryKind::Main, "Main Directory"},
        {DirectoryKind::Working, "Working Directory"},
        {DirectoryKind::Library, "Library Directory"},
    };
    for (auto [kind, caption] : kinds) {
        auto* radio = new QRadioButton(caption, kindsBox);
        m_kinds->addButton(radio, static_cast<int>(kind));
        kindsLayout->addWidget(radio);
        menu->addAction(QString("&") + caption, this, [this, kind = kind] { chooseKind(kind); });
    }
    connect(m_kinds, &QButtonGroup::idClicked, this,
            [this](int id) { chooseKind(static_cast<DirectoryKind>(id)); });

    auto* save = new QPushButton("Save", this);
    auto* saveHome = new QPushButton("Save in home", this);
    auto* cancel = new QPushButton("Cancel", this);
    auto* help = new QPushButton("Help", this);
    auto* clear = new QPushButton("Clear", this);
    clear->setFlat(true);
    save->setDefault(true);
    save->setObjectName("save");
    saveHome->setObjectName("saveInHome");
    connect(save, &QPushButton::clicked, this, [this] { finish(DirectoriesAction::Save); });
    connect(saveHome, &QPushButton::clicked, this,
            [this] { finish(DirectoriesAction::SaveInHome); });
    connect(cancel, &QPushButton::clicked, this, [this] { finish(DirectoriesAction::Cancel); });
    connect(help, &QPushButton::clicked, this, [this] { m_host.showHelp("directories.html"); });
    connect(clear, &QPushButton::clicked, this, [this] {
        m_model.clear();
        m_newValue->clear();
    });

    auto* fields = new QGridLayout;
    fields->addWidget(m_updateLabel, 0, 0, 1, 3);
    fields->addWidget(m_newLabel, 1, 0);
    fields->addWidget(m_newValue, 1, 1);
    fields->addWidget(clear, 1, 2);
    fields->addWidget(m_previousLabel, 2, 0);
    fields->addWidget(m_previousValue, 2, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(drive);
    left->addWidget(m_tree, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(kindsBox);
    right->addStretch();
    for (QPushButton* button : {save, saveHome, cancel, help})
        right->addWidget(button);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addLayout(fields);
    layout->addLayout(columns, 1);

    nameForAssistiveTools(*drive, N_("Drive"),
                          N_("there are no drives: the list starts at the root"));
    nameForAssistiveTools(*m_tree, N_("Directories"), N_("choose a directory"));
    m_newLabel->setBuddy(m_newValue);
    m_previousLabel->setBuddy(m_previousValue);
    showKind();
    describeForAssistiveTools(
        *this, N_("choose the main, working and library directories of the program"));
}

void DirectoriesDialogWidget::chooseKind(DirectoryKind kind)
{
    m_model.chooseKind(kind);
    showKind();
}

void DirectoriesDialogWidget::showKind()
{
    DirectoryKind kind = m_model.kind();
    QString word = kindWord(kind);
    m_kinds->button(static_cast<int>(kind))->setChecked(true);
    m_updateLabel->setText("Update " + word + " directory");
    m_newLabel->setText("New " + word + " directory");
    m_previousLabel->setText("Previous " + word + " directory");
    // The fields are named after their labels, which change with the kind.
    m_newValue->setAccessibleName(
        QString::fromUtf8(translate(m_newLabel->text().toUtf8().constData())));
    m_previousValue->setAccessibleName(
        QString::fromUtf8(translate(m_previousLabel->text().toUtf8().constData())));
    m_previousValue->setText(QString::fromStdString(m_model.previousValue(kind)));
    showListDirectory();
}

void DirectoriesDialogWidget::showListDirectory()
{
    QString directory = QString::fromStdString(m_model.listDirectory());
    m_newValue->setText(directory);
    if (directory.isEmpty())
        return;
    // Selecting the index would report it back as a choice: keep the model's
    // value and only show where it is.
    QModelIndex index = m_files->index(directory);
    if (index.isValid()) {
        const QSignalBlocker blocker(m_tree->selectionModel());
        m_tree->setCurrentIndex(index);
        revealListDirectory();
    }
}

// The folders load one by one in the background: each time one is read the
// current directory is expanded to and scrolled into view again.
void DirectoriesDialogWidget::revealListDirectory()
{
    QModelIndex index = m_files->index(QString::fromStdString(m_model.listDirectory()));
    if (!index.isValid())
        return;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        m_tree->expand(parent);
    m_tree->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void DirectoriesDialogWidget::finish(DirectoriesAction action)
{
    m_model.close(action);
    if (action == DirectoriesAction::Cancel)
        reject();
    else
        accept();
}

} // namespace kestrane
