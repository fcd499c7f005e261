// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/directories_dialog.h"

#include <QDialog>

class QButtonGroup;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QTreeView;

namespace kestrane {

class Host;

// The "Find directory." dialog over its model: a directory tree, the new and
// previous value of the kind being edited, the kind as radio buttons and
// menu items, and Save / Save in home / Cancel / Help. Enter saves.
class DirectoriesDialogWidget final : public QDialog {
    Q_OBJECT
public:
    DirectoriesDialogWidget(DirectoriesDialog& model, Host& host, QWidget* parent = nullptr);

    QTreeView* directoryList() const { return m_tree; }

private:
    void chooseKind(DirectoryKind kind);
    void showKind();
    void showListDirectory();
    void revealListDirectory();
    void finish(DirectoriesAction action);

    DirectoriesDialog& m_model;
    Host& m_host;
    QFileSystemModel* m_files;
    QTreeView* m_tree;
    QLineEdit* m_newValue;
    QLineEdit* m_previousValue;
    QLabel* m_newLabel;
    QLabel* m_previousLabel;
    QLabel* m_updateLabel;
    QButtonGroup* m_kinds;
};

} // namespace kestrane
