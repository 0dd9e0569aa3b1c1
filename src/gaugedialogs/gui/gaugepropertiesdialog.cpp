#include "gaugedialogs/gui/gaugepropertiesdialog.h"

#include "base/core/numbertext.h"
#include "base/gui/modeltext.h"
#include "base/gui/ownedit.h"
#include "base/gui/paneltextguard.h"
#include "base/gui/undokeys.h"
#include "base/gui/userdialogs.h"
#include "gaugedialogs/core/gaugeproperties.h"
#include "panel/gui/fs98/document.h"
#include "panelwindows/gui/gaugeediting.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

namespace cockpix {
namespace {

double boxValue(const QLineEdit* box) {
    return numericValue(toModelText(box->text()));
}

const QString kBlinkerOff = QStringLiteral("BLINKER OFF");
const QString kBlinkerOn = QStringLiteral("BLINKER ON");

} // namespace

GaugePropertiesDialog::GaugePropertiesDialog(GaugeEditing& editing, const fs98::Document& document,
                                             AppModel& app, UserDialogs& dialogs, int w, int g,
                                             QWidget* parent)
    : QDialog(parent), m_editing(editing), m_document(document), m_app(app), m_dialogs(dialogs),
      m_w(w), m_g(g) {
    setObjectName(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    build();
    connectRows();
    routeUndoKeysToEditMenu(this);
    connect(&m_document, &fs98::Document::gaugeChanged, this,
            &GaugePropertiesDialog::onGaugeChanged);
    connect(&m_document, &fs98::Document::gaugesPlaced, this,
            [this](int w) { onGaugeChanged(w, m_g); });
    // Another gauge may now stand in this slot: the dialog has nothing left to show.
    connect(&m_document, &fs98::Document::gaugesChanged, this, [this](int w) {
        if (w == m_w)
            close();
    });
    connect(&m_document, &fs98::Document::panelReplaced, this, &QWidget::close);
    fillFromModel();
}

GaugePropertiesDialog::~GaugePropertiesDialog() = default;

GaugePropertiesDialog::Row GaugePropertiesDialog::addRow(int row, const char* label, int box,
                                                         int bar) {
    auto* grid = static_cast<QGridLayout*>(layout());
    Row made;
    made.box = addDisplayRow(row, label, box);
    made.box->setReadOnly(false);
    made.box->installEventFilter(this);
    guardPanelText(made.box, m_dialogs);
    made.bar = new QScrollBar(Qt::Horizontal, this);
    made.bar->setObjectName(QStringLiteral("HScroll%1").arg(bar));
    made.bar->setAccessibleName(tr("%1 scroll bar").arg(QString::fromLatin1(label).chopped(2)));
    made.bar->setMinimumWidth(200);
    grid->addWidget(made.bar, row, 2);
    return made;
}

QLineEdit* GaugePropertiesDialog::addDisplayRow(int row, const char* label, int box) {
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* caption = new QLabel(QString::fromLatin1(label), this);
    caption->setObjectName(QStringLiteral("Label%1").arg(row + 1));
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("Text%1").arg(box));
    edit->setAccessibleName(caption->text());
    edit->setReadOnly(true);
    edit->setMaximumWidth(120);
    caption->setBuddy(edit);
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

void GaugePropertiesDialog::build() {
    auto* grid = new QGridLayout(this);
    m_x = addRow(0, "X =", 1, 1);
    m_xPixels = addDisplayRow(1, "X (pixel) =", 2);
    m_y = addRow(2, "Y =", 3, 2);
    m_yPixels = addDisplayRow(3, "Y (pixel) =", 4);
    m_size = addRow(4, "S =", 5, 3);
    m_widthPixels = addDisplayRow(5, "Width (pixel) =", 6);
    m_heightPixels = addDisplayRow(6, "Height (pixel) =", 7);
    m_blink = addRow(7, "D =", 8, 4);
    const std::pair<QScrollBar*, BarRange> ranges[] = {{m_x.bar, kPositionBar},
                                                       {m_y.bar, kPositionBar},
                                                       {m_size.bar, kSizeBar},
                                                       {m_blink.bar, kBlinkBar}};
    for (const auto& [bar, range] : ranges) {
        bar->setRange(range.minimum, range.maximum);
        bar->setSingleStep(range.singleStep);
        bar->setPageStep(range.pageStep);
        bar->setValue(range.initial);
    }
    m_blinker = new QCheckBox(kBlinkerOff, this);
    m_blinker->setObjectName(QStringLiteral("Check1"));
    m_blinker->setAccessibleName(tr("Blinker"));
    m_blinker->setAccessibleDescription(tr("Makes the gauge blink on its panel window"));
    grid->addWidget(m_blinker, 8, 0, 1, 3);
    m_remove = new QPushButton(QStringLiteral("REMOVE FROM PANEL"), this);
    m_remove->setObjectName(QStringLiteral("Command1"));
    m_remove->setAccessibleName(m_remove->text());
    m_remove->setAutoDefault(false);
    grid->addWidget(m_remove, 9, 0, 1, 3);
}

void GaugePropertiesDialog::connectBar(const Row& row) {
    connect(row.bar, &QScrollBar::valueChanged, this,
            [box = row.box](int value) { box->setText(numberText(value)); });
    // An arrow or page click is a step of its own; a drag is one step when let go.
    connect(row.bar, &QScrollBar::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderMove)
            m_editing.endStep();
    });
    connect(row.bar, &QScrollBar::sliderReleased, this, [this] { m_editing.endStep(); });
}

void GaugePropertiesDialog::connectRows() {
    connect(m_x.box, &QLineEdit::textChanged, this, &GaugePropertiesDialog::onXText);
    connect(m_y.box, &QLineEdit::textChanged, this, &GaugePropertiesDialog::onYText);
    connect(m_size.box, &QLineEdit::textChanged, this, &GaugePropertiesDialog::onSizeText);
    connect(m_blink.box, &QLineEdit::textChanged, this, &GaugePropertiesDialog::onBlinkText);
    for (const Row& row : {m_x, m_y, m_size, m_blink})
        connectBar(row);
    connect(m_blinker, &QCheckBox::clicked, this, &GaugePropertiesDialog::onBlinker);
    connect(m_remove, &QPushButton::clicked, this, &GaugePropertiesDialog::onRemove);
}

// Opening runs each box's handling, so a fraction within a bar's range comes back from the
// bar as its whole number, in the panel too: that is one undo step of its own.
void GaugePropertiesDialog::fillFromModel() {
    const fs98::Gauge& gauge = m_document.panel().gauge(m_w, m_g);
    setWindowTitle(toQString(gaugePropertiesTitle(m_g, gauge.gaugeName)));
    m_editing.endStep();
    m_x.box->setText(numberText(gauge.gaugeX));
    m_y.box->setText(numberText(gauge.gaugeY));
    m_size.box->setText(numberText(gauge.gaugeSize));
    const std::pair<Row, BarRange> bars[] = {
        {m_x, kPositionBar}, {m_y, kPositionBar}, {m_size, kSizeBar}};
    for (const auto& [row, range] : bars) {
        if (const auto value = barForOpening(boxValue(row.box), range))
            row.bar->setValue(*value);
    }
    m_blink.box->setText(numberText(m_app.blinkInterval));
    m_editing.showAllGauges(m_w);
    m_editing.endStep();
}

bool GaugePropertiesDialog::refusesPlace(const Row& row, fs98::GaugeField field, double value) {
    const double current = fs98::gaugeField(m_document.panel().gauge(m_w, m_g), field);
    const std::optional<std::string> problem = typedPlaceProblem(field, value, current);
    if (!problem)
        return false;
    {
        const QSignalBlocker quiet(row.box);
        row.box->setText(numberText(current));
    }
    m_dialogs.message(QString::fromStdString(*problem));
    return true;
}

void GaugePropertiesDialog::onXText(const QString&) {
    const double x = boxValue(m_x.box);
    if (refusesPlace(m_x, fs98::GaugeField::X, x))
        return;
    {
        OwnEdit own(m_ownEdits);
        m_editing.setGaugeX(m_w, m_g, x);
    }
    showPositionPixels();
    if (const auto bar = positionBarForTyped(x))
        m_x.bar->setValue(*bar);
}

void GaugePropertiesDialog::onYText(const QString&) {
    const double y = boxValue(m_y.box);
    if (refusesPlace(m_y, fs98::GaugeField::Y, y))
        return;
    {
        OwnEdit own(m_ownEdits);
        m_editing.setGaugeY(m_w, m_g, y);
    }
    showPositionPixels();
    if (const auto bar = positionBarForTyped(y))
        m_y.bar->setValue(*bar);
}

// Typing a size leaves its bar alone; only the bar writes into the box.
void GaugePropertiesDialog::onSizeText(const QString&) {
    const double size = boxValue(m_size.box);
    if (refusesPlace(m_size, fs98::GaugeField::Size, size))
        return;
    {
        OwnEdit own(m_ownEdits);
        m_editing.setGaugeSize(m_w, m_g, size);
    }
    showSizePixels();
}

void GaugePropertiesDialog::onBlinkText(const QString&) {
    const double v = boxValue(m_blink.box);
    const auto period = blinkBarForTyped(v);
    if (!period) {
        m_blink.box->clear();
        return;
    }
    m_editing.setBlinkInterval(v);
    m_blink.bar->setValue(*period);
}

void GaugePropertiesDialog::showPositionPixels() {
    const fs98::Gauge& gauge = m_document.panel().gauge(m_w, m_g);
    const double scale = m_app.display.window(m_w).windowScale;
    m_xPixels->setText(numberText(pixelsOf(scale, gauge.gaugeX)));
    m_yPixels->setText(numberText(pixelsOf(scale, gauge.gaugeY)));
}

void GaugePropertiesDialog::showSizePixels() {
    const fs98::Gauge& gauge = m_document.panel().gauge(m_w, m_g);
    const double scale = m_app.display.window(m_w).windowScale;
    m_widthPixels->setText(numberText(pixelsOf(scale, gauge.gaugeSize)));
    m_heightPixels->setText(numberText(
        heightPixelsOf(m_app.display.gauge(m_w, m_g).gaugeAspect, scale, gauge.gaugeSize)));
}

void GaugePropertiesDialog::onGaugeChanged(int w, int g) {
    if (w != m_w || g != m_g || m_ownEdits > 0)
        return;
    const fs98::Gauge& gauge = m_document.panel().gauge(m_w, m_g);
    const std::pair<Row, double> rows[] = {
        {m_x, gauge.gaugeX}, {m_y, gauge.gaugeY}, {m_size, gauge.gaugeSize}};
    for (const auto& [row, value] : rows) {
        const QSignalBlocker boxQuiet(row.box);
        const QSignalBlocker barQuiet(row.bar);
        if (boxValue(row.box) != value)
            row.box->setText(numberText(value));
        const BarRange& range = row.bar == m_size.bar ? kSizeBar : kPositionBar;
        if (const auto bar = barForOpening(value, range))
            row.bar->setValue(*bar);
    }
    showPositionPixels();
    showSizePixels();
}

// The caption follows blinkState, which the dialog does not show when it opens: the blinker
// may still run from an earlier dialog.
void GaugePropertiesDialog::onBlinker() {
    const int state = m_editing.toggleBlinker(m_w);
    m_blinker->setText(state == 1 ? kBlinkerOn : kBlinkerOff);
    const QSignalBlocker quiet(m_blinker);
    m_blinker->setChecked(state == 1);
}

void GaugePropertiesDialog::onRemove() {
    const std::string& name = m_document.panel().gauge(m_w, m_g).gaugeName;
    if (!m_dialogs.question(toQString(removeGaugeQuestion(name))))
        return;
    m_editing.removeGauge(m_w, m_g);
    close();
}

bool GaugePropertiesDialog::eventFilter(QObject* watched, QEvent* event) {
    // Leaving a box, or coming into one, ends the run of keystrokes that make one step.
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        m_editing.endStep();
    return QDialog::eventFilter(watched, event);
}

} // namespace cockpix
