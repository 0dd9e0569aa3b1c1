#include "template/gui/templatewindow.h"

#include "app/gui/colorref.h"
#include "app/gui/modeltext.h"
#include "app/gui/userdialogs.h"
#include "panel/core/numbertext.h"
#include "template/gui/viewpalettepanel.h"
#include "template/gui/windowrow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace cockpix {
namespace {

QString numberText(double value) {
    return QString::fromStdString(plainNumberText(value));
}

void paintBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

bool isRow(int w) {
    return w >= 0 && w < kWindowSlots;
}

constexpr DefaultViewField kViewFields[] = {DefaultViewField::X, DefaultViewField::Y,
                                            DefaultViewField::SizeX, DefaultViewField::SizeY};

} // namespace

TemplateWindow::TemplateWindow(PanelModel& model, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_model(model), m_dialogs(dialogs), m_table(model) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("PANEL TEMPLATE"));

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    outer->addWidget(m_scroll);

    m_content = new QWidget;
    auto* contentLayout = new QVBoxLayout(m_content);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    contentLayout->addLayout(grid);
    buildTable(*grid, m_content);
    contentLayout->addSpacing(16);
    m_lower = new ViewPalettePanel(m_content);
    contentLayout->addWidget(m_lower);
    contentLayout->addStretch(1);
    m_scroll->setWidget(m_content);
    m_labels += m_lower->labels();

    for (const auto& row : m_rows)
        connectRow(*row);
    connectLowerPart();

    // Through the box's handling, so the optimizer's threshold and the box agree from the
    // start.
    m_lower->thresholdBox()->setText(QStringLiteral("5"));
    m_lower->addedColorsLabel()->setText(QString::number(m_model.advisedColorCount));
    showWindowCount();
    applyTemplateColor();
}

TemplateWindow::~TemplateWindow() = default;

void TemplateWindow::buildTable(QGridLayout& grid, QWidget* content) {
    addHeading(grid, content, "labelViewHeading", QStringLiteral("Click to view with gauges"),
               ViewColumn);
    addHeading(grid, content, "labelTitleHeading", QStringLiteral("Window Title"), TitleColumn);
    addHeading(grid, content, "labelBitmapHeading",
               QStringLiteral(" BMP Name of window (without extension)"), BitmapColumn, 2);
    addHeading(grid, content, "labelSizeHeading", QStringLiteral("Window size"), SizeColumn, 2);
    addHeading(grid, content, "labelRatioHeading", QStringLiteral("Size ratio"), RatioColumn, 2);
    addHeading(grid, content, "labelPositionHeading", QStringLiteral("Position (0-8)"),
               PositionColumn);
    addHeading(grid, content, "labelVisibleHeading", QStringLiteral("Visible"), VisibleColumn);
    addHeading(grid, content, "labelIdentHeading", QStringLiteral("Ident."), IdentColumn);

    for (int w = 0; w < kWindowSlots; ++w) {
        m_rows.push_back(std::make_unique<WindowRow>(w, content));
        m_rows.back()->addTo(grid, w + 1);
    }
    grid.setColumnStretch(TitleColumn, 3);
    grid.setColumnStretch(BitmapColumn, 3);
}

void TemplateWindow::addHeading(QGridLayout& grid, QWidget* content, const char* name,
                                const QString& text, int column, int span) {
    auto* label = new QLabel(text, content);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    grid.addWidget(label, 0, column, 1, span);
    m_labels.append(label);
}

void TemplateWindow::connectRow(const WindowRow& row) {
    const int w = row.row();
    using Handler = EditOutcome (WindowTable::*)(int, std::string_view);
    const auto bind = [this, w](QLineEdit* box, Handler handler) {
        connect(box, &QLineEdit::textChanged, this, [this, w, box, handler](const QString& text) {
            carryOut(box, (m_table.*handler)(w, toModelText(text)));
        });
    };
    bind(row.titleBox(), &WindowTable::titleChanged);
    bind(row.bitmapBox(), &WindowTable::bitmapChanged);
    bind(row.sizeBox(), &WindowTable::sizeChanged);
    bind(row.ratioBox(), &WindowTable::ratioChanged);
    bind(row.positionBox(), &WindowTable::positionChanged);
    bind(row.identBox(), &WindowTable::identChanged);

    QCheckBox* visible = row.visibleBox();
    connect(visible, &QCheckBox::toggled, this, [this, w, visible](bool checked) {
        const VisibleOutcome outcome = m_table.visibleToggled(w, checked);
        if (!outcome.message.empty())
            m_dialogs.message(QString::fromStdString(outcome.message));
        if (outcome.caption)
            visible->setText(QString::fromStdString(*outcome.caption));
    });

    connect(row.viewButton(), &QPushButton::clicked, this,
            [this, w] { emit viewWindowRequested(w); });
    connect(row.sizeAutoButton(), &QPushButton::clicked, this,
            [this, w] { emit sizeFromBitmapRequested(w); });
    connect(row.listButton(), &QPushButton::clicked, this,
            [this, w] { emit bitmapListRequested(w); });
    connect(row.ratioAutoButton(), &QPushButton::clicked, this,
            [this, w] { emit ratioFromBitmapRequested(w); });
}

void TemplateWindow::connectLowerPart() {
    for (int i = 0; i < 4; ++i) {
        QLineEdit* box = m_lower->viewBox(i);
        const DefaultViewField field = kViewFields[i];
        connect(box, &QLineEdit::textChanged, this, [this, box, field](const QString& text) {
            carryOut(box, m_table.defaultViewChanged(field, toModelText(text)));
        });
    }
    connect(m_lower->thresholdBox(), &QLineEdit::textChanged, this,
            [this](const QString& text) { m_table.thresholdChanged(toModelText(text)); });

    QCheckBox* save = m_lower->paletteSaveBox();
    connect(save, &QCheckBox::toggled, this, [save](bool checked) {
        save->setText(QString::fromUtf8(paletteSaveCaption(checked)));
    });
    QCheckBox* erase = m_lower->paletteEraseBox();
    connect(erase, &QCheckBox::toggled, this, [erase](bool checked) {
        erase->setText(QString::fromUtf8(paletteEraseCaption(checked)));
    });
    connect(m_lower->optimizerButton(), &QPushButton::clicked, this,
            [this] { emit paletteOptimizerRequested(); });
    connect(m_lower->outsideViewButton(), &QPushButton::clicked, this,
            [this] { emit outsideViewRequested(); });
}

// Shows the message and empties the box; emptying runs the box's handling again, which
// stores the value for an empty box.
void TemplateWindow::carryOut(QLineEdit* box, const EditOutcome& outcome) {
    if (!outcome.message.empty())
        m_dialogs.message(QString::fromStdString(outcome.message));
    if (outcome.clearBox)
        box->clear();
    showWindowCount();
}

void TemplateWindow::showWindowCount() {
    m_lower->windowCountLabel()->setText(QString::number(m_model.windowCount));
}

WindowRow& TemplateWindow::rowAt(int w) const {
    return *m_rows.at(static_cast<std::size_t>(w));
}

void TemplateWindow::fillFromModel() {
    // Start from empty boxes, so that only the values written below run their handling and
    // the rows beyond the panel keep whatever the model holds for them.
    for (const auto& row : m_rows)
        row->clearSilently();
    for (int i = 0; i < 4; ++i) {
        const QSignalBlocker blocker(m_lower->viewBox(i));
        m_lower->viewBox(i)->clear();
    }
    m_table.forgetBoxes();

    // Rows in order: each handler checks continuity against the count the model holds.
    const int count = std::clamp(m_model.windowCount, 0, kWindowSlots);
    for (int w = 0; w < count; ++w)
        fillRow(w);

    m_lower->viewBox(0)->setText(numberText(m_model.defaultViewX));
    m_lower->viewBox(1)->setText(numberText(m_model.defaultViewY));
    m_lower->viewBox(2)->setText(numberText(m_model.defaultViewSizeX));
    m_lower->viewBox(3)->setText(numberText(m_model.defaultViewSizeY));
    m_lower->thresholdBox()->setText(QString::number(m_model.paletteTolerance));
    m_lower->addedColorsLabel()->setText(QString::number(m_model.advisedColorCount));
    showWindowCount();
}

void TemplateWindow::fillRow(int w) {
    PanelWindow& window = m_model.window(w);
    // A panel.cfg without windowsize_ratio means full size.
    if (window.windowSizeRatio == 0)
        window.windowSizeRatio = 1;
    // Each box's handling writes back into the model, so read everything first.
    const QString title = fromModelText(window.windowTitle);
    const QString bitmap = fromModelText(window.windowBitmap);
    const QString size = numberText(window.windowSizeMm);
    const QString ratio = numberText(window.windowSizeRatio);
    const QString position = numberText(window.windowPosition);
    const bool visible = window.windowVisible != 0;
    const QString ident = window.windowIdent.isText ? fromModelText(window.windowIdent.text)
                                                    : numberText(window.windowIdent.number);

    const WindowRow& row = rowAt(w);
    row.titleBox()->setText(title);
    row.bitmapBox()->setText(bitmap);
    row.sizeBox()->setText(size);
    row.ratioBox()->setText(ratio);
    row.positionBox()->setText(position);
    row.visibleBox()->setChecked(visible);
    row.identBox()->setText(ident);
}

QSize TemplateWindow::sizeHint() const {
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return m_content->sizeHint() + QSize(scrollBar, scrollBar);
}

PaletteSaveOptions TemplateWindow::paletteSaveOptions() const {
    return paletteOptionsFromChecks(m_lower->paletteSaveBox()->isChecked(),
                                    m_lower->paletteEraseBox()->isChecked());
}

void TemplateWindow::applyTemplateColor() {
    const QColor colour = toQColor(m_model.templateColor);
    for (QWidget* widget : {static_cast<QWidget*>(this), m_content, m_scroll->viewport()})
        paintBackground(widget, colour);
    for (QLabel* label : m_labels)
        paintBackground(label, colour);
}

void TemplateWindow::setSizeText(int w, const QString& text) {
    if (isRow(w))
        rowAt(w).sizeBox()->setText(text);
}

void TemplateWindow::setRatioText(int w, const QString& text) {
    if (isRow(w))
        rowAt(w).ratioBox()->setText(text);
}

void TemplateWindow::setBitmapText(int w, const QString& text) {
    if (isRow(w))
        rowAt(w).bitmapBox()->setText(text);
}

void TemplateWindow::setAdvisedColorCount(int count) {
    m_model.advisedColorCount = count;
    m_lower->addedColorsLabel()->setText(QString::number(count));
}

} // namespace cockpix
