#include "gui/font_window_widget.h"

#include "gui/qt_canvas.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrane {

// The "Example:" area, painted by the model in the chosen font.
class FontWindowWidget::Example final : public QWidget {
public:
    Example(const FontWindow& model, QWidget* parent) : QWidget(parent), m_model(model)
    {
        setMinimumSize(320, 80);
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
    , m_name(new QLineEdit(QString::fromStdString(model.fontName()), this))
    , m_example(new Example(model, this))
{
    setWindowTitle("Font");
    m_name->setEnabled(false);
    auto* browse = new QPushButton("Browse", this);
    connect(browse, &QPushButton::clicked, this, [this] {
        if (m_model.browse(m_host)) {
            m_name->setText(QString::fromStdString(m_model.fontName()));
            m_example->update();
        }
    });
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel("Font's name", this));
    nameRow->addWidget(m_name, 1);
    nameRow->addWidget(browse);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addWidget(new QLabel("Example:", this));
    layout->addWidget(m_example, 1);
    layout->addWidget(box);
}

} // namespace kestrane
