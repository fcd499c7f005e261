// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/help_viewer.h"

#include "platform/translation.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace kestrane {

namespace {

// A page translated into the user's language lives in a folder named after
// the language ("pl/index.html"); the others are read in English.
std::filesystem::path localisedPage(const std::filesystem::path& directory, const std::string& page)
{
    std::string language = chosenLanguage();
    if (!language.empty() && std::filesystem::exists(directory / language / page))
        return directory / language / page;
    return directory / page;
}

} // namespace

HelpViewer::HelpViewer(std::filesystem::path helpDirectory, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_helpDirectory(std::move(helpDirectory))
    , m_browser(new QTextBrowser(this))
{
    setWindowTitle("Kestrane Help");
    resize(760, 640);
    auto* back = new QPushButton("&Back", this);
    auto* forward = new QPushButton("&Forward", this);
    auto* home = new QPushButton("&Contents", this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(home, &QPushButton::clicked, this, [this] { open("index.html"); });
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    m_browser->setOpenExternalLinks(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(home);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
}

void HelpViewer::open(const QString& page)
{
    // "reference/curves.html#Curve": the page, then the entry on it.
    QString anchor = page.section('#', 1);
    std::filesystem::path file =
        localisedPage(m_helpDirectory, page.section('#', 0, 0).toStdString());
    if (m_helpDirectory.empty() || !std::filesystem::exists(file)) {
        m_browser->setHtml("<h1>Help is missing</h1><p>The help pages were not found. They are in "
                           "the folder <code>help</code> of the installation.</p>");
    } else {
        QUrl url = QUrl::fromLocalFile(QString::fromStdString(file.string()));
        if (!anchor.isEmpty())
            url.setFragment(anchor);
        m_browser->setSource(url);
    }
    show();
    raise();
    activateWindow();
}

} // namespace kestrane
