// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/font_window_widget.h"

#include "gui/assistive_texts.h"
#include "gui/qt_canvas.h"
#include "platform/translation.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kestrane {

namespace {

QString text(std::string_view view)
{
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

} // namespace

// The "Example:" area, painted by the model in the chosen font.
class FontWindowWidget::Example final : public QWidget {
public:
    Example(const FontWindow& model, QWidget* parent) : QWidget(parent), m_model(model)
    {
        setObjectName("example");
        setMinimumSize(480, 260);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QtCanvas canvas(painter);
        m_model.paintExample(canvas, width(), height());
    }

private:
    const FontWindow& m_model;
};

FontWindowWidget::FontWindowWidget(FontWindow& model, Host& host, QWidget* parent)
    : QDialog(parent)
    , m_model(model)
    , m_host(host)
    , m_name(new QLineEdit(this))
    , m_height(new QComboBox(this))
    , m_example(new Example(model, this))
{
    setObjectName("fontWindow");
    setWindowTitle(text(FontWindow::kCaption));
    m_name->setObjectName("fontName");
    m_name->setEnabled(false);
    m_height->setObjectName("fontHeight");
    auto* browse = new QPushButton(text(FontWindow::kBrowse), this);
    browse->setObjectName("browse");
    connect(browse, &QPushButton::clicked, this, [this] {
        if (m_model.browse(m_host))
            showChoice();
    });
    showChoice();
    connect(m_height, &QComboBox::activated, this, [this](int index) {
        m_model.setHeight(m_height->itemData(index).toInt());
        m_example->update();
    });
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* fields = new QGridLayout;
    auto* nameLabel = new QLabel(text(FontWindow::kNameLabel), this);
    nameLabel->setBuddy(m_name);
    auto* heightLabel = new QLabel(text(FontWindow::kHeightLabel), this);
    heightLabel->setBuddy(m_height);
    fields->addWidget(nameLabel, 0, 0);
    fields->addWidget(m_name, 0, 1);
    fields->addWidget(browse, 0, 2);
    fields->addWidget(heightLabel, 1, 0);
    fields->addWidget(m_height, 1, 1);
    fields->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(new QLabel(text(FontWindow::kExampleLabel), this));
    layout->addWidget(m_example, 1);
    layout->addWidget(box);
    describeForAssistiveTools(*this,
                              N_("choose the font of the expressions and its height; the example "
                                 "shows the choice"));
}

void FontWindowWidget::showChoice()
{
    m_name->setText(QString::fromStdString(m_model.fontName()));
    // The offered heights, and the current one among them even when it is
    // not one of them, so that OK without a change keeps it.
    std::vector<int> heights = FontWindow::heights();
    if (!FontWindow::offersHeight(m_model.fontHeight())) {
        heights.push_back(m_model.fontHeight());
        std::sort(heights.begin(), heights.end());
    }
    m_height->clear();
    for (int height : heights)
        m_height->addItem(QString::number(height), height);
    m_height->setCurrentIndex(m_height->findData(m_model.fontHeight()));
    m_example->update();
}

} // namespace kestrane
