#include "outview/gui/externalviewcoordinates.h"

#include "base/core/numbertext.h"
#include "base/gui/modeltext.h"
#include "base/gui/namedbutton.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace cockpix {
namespace {

constexpr int kSmallStep = 5;
constexpr int kLargeStep = 100;

} // namespace

ExternalViewCoordinates::ExternalViewCoordinates(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form6"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("External view coordinates"));

    auto* grid = new QGridLayout(this);
    auto* note = new QLabel(
        QStringLiteral("Please enter coordinates of the upper-left corner of the 3D view window "
                       "and its size. Note that changes will be permanent ONLY if you SAVE the "
                       "panel template."),
        this);
    note->setObjectName(QStringLiteral("Label5"));
    note->setWordWrap(true);
    grid->addWidget(note, 0, 0, 1, 2);
    for (const ViewCoordinate row : kViewCoordinates)
        addRow(*grid, row);

    QPushButton* ok = namedButton("Command1", QStringLiteral("OK"), this);
    QPushButton* cancel = namedButton("Command2", QStringLiteral("Cancel"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 1 + 2 * int(kViewCoordinates.size()), 0, 1, 2);
    connect(ok, &QPushButton::clicked, this, &ExternalViewCoordinates::confirm);
    connect(cancel, &QPushButton::clicked, this, [this] {
        emit cancelled();
        close();
    });
    resize(420, sizeHint().height());
}

void ExternalViewCoordinates::addRow(QGridLayout& grid, ViewCoordinate row) {
    const CoordinateRow& rule = coordinateRow(row);
    const int n = static_cast<int>(index(row)) + 1;
    const QString label = QString::fromLatin1(rule.label);
    auto* caption = new QLabel(label, this);
    caption->setObjectName(QStringLiteral("Label%1").arg(n));
    auto* box = new QLineEdit(QString::fromLatin1(rule.initialText), this);
    box->setObjectName(QStringLiteral("Text%1").arg(n));
    box->setAccessibleName(label);
    caption->setBuddy(box);
    auto* bar = new QScrollBar(Qt::Horizontal, this);
    bar->setObjectName(QStringLiteral("HScroll%1").arg(n));
    bar->setAccessibleName(label);
    bar->setRange(rule.minimum, rule.maximum);
    bar->setSingleStep(kSmallStep);
    bar->setPageStep(kLargeStep);
    bar->setValue(static_cast<int>(numericValue(rule.initialText)));
    grid.addWidget(caption, 2 * n - 1, 0);
    grid.addWidget(box, 2 * n - 1, 1);
    grid.addWidget(bar, 2 * n, 0, 1, 2);
    m_boxes[index(row)] = box;
    m_bars[index(row)] = bar;
    connect(box, &QLineEdit::textChanged, this,
            [this, row](const QString& text) { textChanged(row, text); });
    connect(bar, &QScrollBar::valueChanged, this, [this, row](int value) { barMoved(row, value); });
}

void ExternalViewCoordinates::fill(const fs98::DefaultView& view, double scale) {
    m_scale = scale;
    for (const ViewCoordinate row : kViewCoordinates)
        box(row)->setText(QString::fromStdString(plainNumberText(viewCoordinate(view, row))));
    for (const ViewCoordinate row : kViewCoordinates) {
        const double rounded = roundHalfEven(viewCoordinate(view, row));
        if (rounded >= bar(row)->minimum() && rounded <= bar(row)->maximum())
            bar(row)->setValue(static_cast<int>(rounded));
    }
}

// Emptying the box runs this again with an empty text: a position then reads 0 and is
// accepted, a size stays empty.
void ExternalViewCoordinates::textChanged(ViewCoordinate row, const QString& text) {
    const std::optional<int> value = barValueForText(row, toModelText(text));
    if (!value) {
        box(row)->clear();
        return;
    }
    bar(row)->setValue(*value); // a bar that moves writes its whole value into the box
    emit frameEdgeChanged(row, frameEdgeTwips(m_scale, bar(row)->value()));
}

void ExternalViewCoordinates::barMoved(ViewCoordinate row, int value) {
    box(row)->setText(QString::number(value));
}

void ExternalViewCoordinates::confirm() {
    std::array<std::string, 4> texts;
    std::array<int, 4> bars{};
    for (const ViewCoordinate row : kViewCoordinates) {
        texts[index(row)] = toModelText(box(row)->text());
        bars[index(row)] = bar(row)->value();
    }
    emit confirmed(confirmedView(texts, bars));
    close();
}

} // namespace cockpix
