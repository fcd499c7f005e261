// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <filesystem>

class QTextBrowser;

namespace kestrane {

// The in-program help: the HTML pages under help/, with back, forward and
// home, in a window of its own that is not modal.
class HelpViewer final : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(std::filesystem::path helpDirectory, QWidget* parent = nullptr);

    void open(const QString& page);
    QTextBrowser* browser() const { return m_browser; }

private:
    std::filesystem::path m_helpDirectory;
    QTextBrowser* m_browser;
};

} // namespace kestrane
