// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace kestrane {

// Puts the windows' own texts into the user's language as they are shown:
// window titles, menu titles and items, buttons, labels and group titles.
// The windows keep building themselves from the program's own texts, so a
// menu added anywhere is translated without being told. Menus are done each
// time they open, since their items may change in between.
class WidgetTranslator final : public QObject {
public:
    using QObject::QObject;

    // Translates the widget and everything in it now.
    static void translateTree(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Installs Qt's own translations of its dialogs (file, colour and font
// dialogs, standard buttons) and the translator of the program's windows,
// when the user's language is not the program's own. Call after
// setUpTranslations().
void installWindowTranslations();

} // namespace kestrane
