#include "template/gui/templatewindow.h"

#include "base/core/numbertext.h"
#include "base/gui/colorref.h"
#include "base/gui/modeltext.h"
#include "base/gui/ownedit.h"
#include "base/gui/paneltextguard.h"
#include "base/gui/undokeys.h"
#include "base/gui/userdialogs.h"
#include "panel/gui/paneldocuments.h"
#include "template/gui/fs2k/windowtable.h"
#include "template/gui/fs98/windowrow.h"
#include "template/gui/viewpalettepanel.h"

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

void paintBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

constexpr fs98::DefaultViewField kViewFields[] = {
    fs98::DefaultViewField::X, fs98::DefaultViewField::Y, fs98::DefaultViewField::SizeX,
    fs98::DefaultViewField::SizeY};

constexpr fs98::WindowField kRowFields[] = {
    fs98::WindowField::Title,     fs98::WindowField::Bitmap,   fs98::WindowField::SizeMm,
    fs98::WindowField::SizeRatio, fs98::WindowField::Position, fs98::WindowField::Visible,
    fs98::WindowField::Ident};

// What a box shows for a value of the panel.
QString boxText(const fs98::WindowFieldValue& value) {
    if (const auto* text = std::get_if<std::string>(&value))
        return fromModelText(*text);
    if (const auto* number = std::get_if<double>(&value))
        return numberText(*number);
    const auto& ident = std::get<fs98::WindowIdent>(value);
    return ident.isText ? fromModelText(ident.text) : numberText(ident.number);
}

double viewField(const fs98::DefaultView& view, int i) {
    const double values[] = {view.x, view.y, view.sizeX, view.sizeY};
    return values[i];
}

} // namespace

TemplateWindow::TemplateWindow(PanelDocuments& documents, AppModel& app, UserDialogs& dialogs,
                               QWidget* parent)
    : QWidget(parent), m_documents(documents), m_document(documents.fs98()),
      m_fs2kDocument(documents.fs2k()), m_app(app), m_dialogs(dialogs) {
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
    m_fs2kTable = new fs2k::WindowTable(m_fs2kDocument, m_dialogs, this);
    outer->addWidget(m_fs2kTable);
    m_labels.append(m_fs2kTable->note());

    for (const auto& row : m_rows)
        connectRow(*row);
    connectLowerPart();
    connectDocument();
    routeUndoKeysToEditMenu(this);
    for (int w = 0; w < fs98::kWindowSlots; ++w)
        rememberRow(w);
    m_shownView = m_document.panel().defaultView();

    // Through the box's handling, so the optimizer's threshold and the box agree from the
    // start.
    m_lower->thresholdBox()->setText(QStringLiteral("5"));
    onPaletteChanged();
    showWindowCount();
    applyTemplateColor();
    showFormat();
}

TemplateWindow::~TemplateWindow() = default;

void TemplateWindow::showFormat() {
    // An fs2k panel has its own table; the nine rows, the default view and the palette
    // tools read and write FS98 panels only.
    QWidget* shown =
        m_documents.visit([this](const fs98::Document&) -> QWidget* { return m_scroll; },
                          [this](const fs2k::Document&) -> QWidget* { return m_fs2kTable; });
    m_scroll->setVisible(shown == m_scroll);
    m_fs2kTable->setVisible(shown == m_fs2kTable);
}

void TemplateWindow::buildTable(QGridLayout& grid, QWidget* content) {
    addHeading(grid, content, "labelViewHeading", QStringLiteral("Click to view with gauges"),
               fs98::ViewColumn);
    addHeading(grid, content, "labelTitleHeading", QStringLiteral("Window Title"),
               fs98::TitleColumn);
    addHeading(grid, content, "labelBitmapHeading",
               QStringLiteral(" BMP Name of window (without extension)"), fs98::BitmapColumn, 2);
    addHeading(grid, content, "labelSizeHeading", QStringLiteral("Window size"), fs98::SizeColumn,
               2);
    addHeading(grid, content, "labelRatioHeading", QStringLiteral("Size ratio"), fs98::RatioColumn,
               2);
    addHeading(grid, content, "labelPositionHeading", QStringLiteral("Position (0-8)"),
               fs98::PositionColumn);
    addHeading(grid, content, "labelVisibleHeading", QStringLiteral("Visible"),
               fs98::VisibleColumn);
    addHeading(grid, content, "labelIdentHeading", QStringLiteral("Ident."), fs98::IdentColumn);

    for (int w = 0; w < fs98::kWindowSlots; ++w) {
        m_rows.push_back(std::make_unique<fs98::WindowRow>(w, content));
        m_rows.back()->addTo(grid, w + 1);
    }
    grid.setColumnStretch(fs98::TitleColumn, 3);
    grid.setColumnStretch(fs98::BitmapColumn, 3);
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

void TemplateWindow::connectRow(const fs98::WindowRow& row) {
    const int w = row.row();
    using Handler =
        fs98::EditOutcome (fs98::WindowTable::*)(const fs98::Panel&, int, std::string_view);
    const auto bind = [this, w](QLineEdit* box, Handler handler) {
        guardPanelText(box, m_dialogs);
        connect(box, &QLineEdit::textChanged, this, [this, w, box, handler](const QString& text) {
            carryOut(box, (m_table.*handler)(m_document.panel(), w, toModelText(text)));
        });
        // Leaving the box ends its undo step: typing there again is a new one.
        connect(box, &QLineEdit::editingFinished, &m_document, &fs98::Document::breakMerge);
    };
    bind(row.titleBox(), &fs98::WindowTable::titleChanged);
    bind(row.bitmapBox(), &fs98::WindowTable::bitmapChanged);
    bind(row.sizeBox(), &fs98::WindowTable::sizeChanged);
    bind(row.ratioBox(), &fs98::WindowTable::ratioChanged);
    bind(row.positionBox(), &fs98::WindowTable::positionChanged);
    bind(row.identBox(), &fs98::WindowTable::identChanged);

    QCheckBox* visible = row.visibleBox();
    connect(visible, &QCheckBox::toggled, this, [this, w, visible](bool checked) {
        const fs98::VisibleOutcome outcome = m_table.visibleToggled(m_document.panel(), w, checked);
        if (outcome.edit) {
            m_document.breakMerge();
            storeOwn(*outcome.edit);
        }
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
        const fs98::DefaultViewField field = kViewFields[i];
        guardPanelText(box, m_dialogs);
        connect(box, &QLineEdit::textChanged, this, [this, box, field](const QString& text) {
            const fs98::ViewOutcome outcome = m_table.defaultViewChanged(field, toModelText(text));
            if (outcome.value) {
                const OwnEdit own(m_ownEdits);
                m_document.setDefaultView(
                    fs98::withViewField(m_document.panel().defaultView(), field, *outcome.value));
                m_shownView = m_document.panel().defaultView();
            }
            carryOut(box, {std::nullopt, outcome.message, outcome.clearBox});
        });
        connect(box, &QLineEdit::editingFinished, &m_document, &fs98::Document::breakMerge);
    }
    guardPanelText(m_lower->thresholdBox(), m_dialogs);
    connect(m_lower->thresholdBox(), &QLineEdit::textChanged, this, [this](const QString& text) {
        m_app.paletteTolerance = fs98::thresholdValue(toModelText(text));
    });

    QCheckBox* save = m_lower->paletteSaveBox();
    QCheckBox* erase = m_lower->paletteEraseBox();
    const auto paletteClicked = [this, save, erase] {
        save->setText(QString::fromUtf8(fs98::paletteSaveCaption(save->isChecked())));
        erase->setText(QString::fromUtf8(fs98::paletteEraseCaption(erase->isChecked())));
        const OwnEdit own(m_ownEdits);
        m_document.setPaletteOptions(
            fs98::paletteOptionsFromChecks(save->isChecked(), erase->isChecked()));
    };
    connect(save, &QCheckBox::toggled, this, paletteClicked);
    connect(erase, &QCheckBox::toggled, this, paletteClicked);
    connect(m_lower->optimizerButton(), &QPushButton::clicked, this,
            [this] { emit paletteOptimizerRequested(); });
    connect(m_lower->outsideViewButton(), &QPushButton::clicked, this,
            [this] { emit outsideViewRequested(); });
}

void TemplateWindow::connectDocument() {
    connect(&m_document, &fs98::Document::windowChanged, this, &TemplateWindow::onWindowChanged);
    connect(&m_document, &fs98::Document::defaultViewChanged, this,
            &TemplateWindow::onDefaultViewChanged);
    connect(&m_document, &fs98::Document::paletteChanged, this, &TemplateWindow::onPaletteChanged);
    // Open replaces the document of one format and empties the other, and makes the one
    // replaced current: the table of the current one shows.
    connect(&m_documents, &PanelDocuments::currentChanged, this, &TemplateWindow::showFormat);
    connect(&m_document, &fs98::Document::panelReplaced, this, &TemplateWindow::showFormat);
    connect(&m_fs2kDocument, &fs2k::Document::panelReplaced, this, &TemplateWindow::showFormat);
}

void TemplateWindow::storeOwn(const fs98::WindowEdit& edit) {
    const OwnEdit own(m_ownEdits);
    m_document.setWindowField(edit);
    rememberRow(edit.row);
}

void TemplateWindow::applyAuto(const fs98::WindowEdit& edit, const std::optional<QString>& text) {
    if (!fs98::isWindowSlot(edit.row))
        return;
    m_document.breakMerge();
    storeOwn(edit);
    QLineEdit* box = edit.field == fs98::WindowField::SizeMm      ? rowAt(edit.row).sizeBox()
                     : edit.field == fs98::WindowField::SizeRatio ? rowAt(edit.row).ratioBox()
                                                                  : nullptr;
    if (text && box)
        box->setText(*text); // its handling stores the value again, within the same step
    m_document.breakMerge();
    showWindowCount();
}

void TemplateWindow::rememberRow(int w) {
    const fs98::PanelWindow& window = m_document.panel().window(w);
    auto& shown = m_shownRows[static_cast<std::size_t>(w)];
    for (std::size_t i = 0; i < shown.size(); ++i)
        shown[i] = fs98::windowField(window, kRowFields[i]);
}

void TemplateWindow::onWindowChanged(int w) {
    showWindowCount();
    if (m_ownEdits > 0 || !fs98::isWindowSlot(w))
        return;
    const fs98::PanelWindow& window = m_document.panel().window(w);
    const fs98::WindowRow& row = rowAt(w);
    QLineEdit* boxes[] = {row.titleBox(),    row.bitmapBox(), row.sizeBox(), row.ratioBox(),
                          row.positionBox(), nullptr,         row.identBox()};
    auto& shown = m_shownRows[static_cast<std::size_t>(w)];
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const fs98::WindowFieldValue value = fs98::windowField(window, kRowFields[i]);
        if (value == shown[i])
            continue;
        shown[i] = value;
        if (QLineEdit* box = boxes[i]) {
            const QSignalBlocker blocker(box);
            box->setText(boxText(value));
            continue;
        }
        QCheckBox* visible = row.visibleBox();
        const QSignalBlocker blocker(visible);
        visible->setChecked(window.windowVisible != 0);
        visible->setText(QString::fromUtf8(visible->isChecked() ? "ON" : "OFF"));
    }
    m_table.noteBoxes(w, !row.titleBox()->text().isEmpty(), !row.bitmapBox()->text().isEmpty());
}

void TemplateWindow::onDefaultViewChanged() {
    if (m_ownEdits > 0)
        return;
    const fs98::DefaultView view = m_document.panel().defaultView();
    for (int i = 0; i < 4; ++i) {
        if (viewField(view, i) == viewField(m_shownView, i))
            continue;
        QLineEdit* box = m_lower->viewBox(i);
        const QSignalBlocker blocker(box);
        box->setText(numberText(viewField(view, i)));
    }
    m_shownView = view;
}

void TemplateWindow::onPaletteChanged() {
    m_lower->addedColorsLabel()->setText(
        QString::number(m_document.paletteProposal().advisedColorCount));
    if (m_ownEdits > 0)
        return;
    const fs98::PaletteSaveOptions& options = m_document.paletteOptions();
    QCheckBox* save = m_lower->paletteSaveBox();
    QCheckBox* erase = m_lower->paletteEraseBox();
    const QSignalBlocker saveBlocker(save);
    const QSignalBlocker eraseBlocker(erase);
    save->setChecked(!options.saveNewPalette);
    erase->setChecked(!options.keepColors);
    save->setText(QString::fromUtf8(fs98::paletteSaveCaption(save->isChecked())));
    erase->setText(QString::fromUtf8(fs98::paletteEraseCaption(erase->isChecked())));
}

// Hands the edit to the document, shows the message and empties the box; emptying runs
// the box's handling again, which stores the value for an empty box.
void TemplateWindow::carryOut(QLineEdit* box, const fs98::EditOutcome& outcome) {
    if (outcome.edit)
        storeOwn(*outcome.edit);
    if (!outcome.message.empty())
        m_dialogs.message(QString::fromStdString(outcome.message));
    if (outcome.clearBox)
        box->clear();
    showWindowCount();
}

void TemplateWindow::showWindowCount() {
    m_lower->windowCountLabel()->setText(QString::number(m_document.panel().windowCount));
}

fs98::WindowRow& TemplateWindow::rowAt(int w) const {
    return *m_rows.at(static_cast<std::size_t>(w));
}

void TemplateWindow::fillFromModel() {
    // Start from empty boxes, so that only the values written below run their handling and
    // the rows beyond the panel keep whatever the panel holds for them.
    for (const auto& row : m_rows)
        row->clearSilently();
    for (int i = 0; i < 4; ++i) {
        const QSignalBlocker blocker(m_lower->viewBox(i));
        m_lower->viewBox(i)->clear();
    }
    m_table.forgetBoxes();
    for (int w = 0; w < fs98::kWindowSlots; ++w)
        rememberRow(w);
    m_shownView = m_document.panel().defaultView();

    // Rows in order: each handler checks continuity against the count the panel holds.
    const int count = std::clamp(m_document.panel().windowCount, 0, fs98::kWindowSlots);
    for (int w = 0; w < count; ++w)
        fillRow(w);

    // Each box's handling hands its value to the document, so read the view first.
    const fs98::DefaultView view = m_document.panel().defaultView();
    m_lower->viewBox(0)->setText(numberText(view.x));
    m_lower->viewBox(1)->setText(numberText(view.y));
    m_lower->viewBox(2)->setText(numberText(view.sizeX));
    m_lower->viewBox(3)->setText(numberText(view.sizeY));
    m_lower->thresholdBox()->setText(QString::number(m_app.paletteTolerance));
    onPaletteChanged();
    showWindowCount();
}

void TemplateWindow::fillRow(int w) {
    // Each box's handling hands its value to the document, so read everything first.
    const fs98::PanelWindow window = m_document.panel().window(w);
    const fs98::WindowRow& row = rowAt(w);
    row.titleBox()->setText(boxText(window.windowTitle));
    row.bitmapBox()->setText(boxText(window.windowBitmap));
    row.sizeBox()->setText(numberText(window.windowSizeMm));
    // A panel.cfg without windowsize_ratio means full size; the box's handling stores it.
    row.ratioBox()->setText(numberText(window.windowSizeRatio == 0 ? 1 : window.windowSizeRatio));
    row.positionBox()->setText(numberText(window.windowPosition));
    row.visibleBox()->setChecked(window.windowVisible != 0);
    row.identBox()->setText(boxText(window.windowIdent));
}

QSize TemplateWindow::sizeHint() const {
    return m_documents.visit(
        [this](const fs98::Document&) {
            const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
            return m_content->sizeHint() + QSize(scrollBar, scrollBar);
        },
        [this](const fs2k::Document&) { return m_fs2kTable->sizeHint(); });
}

void TemplateWindow::applyTemplateColor() {
    const QColor colour = toQColor(m_app.templateColor);
    for (QWidget* widget : {static_cast<QWidget*>(this), m_content, m_scroll->viewport(),
                            static_cast<QWidget*>(m_fs2kTable)})
        paintBackground(widget, colour);
    for (QLabel* label : m_labels)
        paintBackground(label, colour);
}

void TemplateWindow::setBitmapText(int w, const QString& text) {
    if (!fs98::isWindowSlot(w))
        return;
    m_document.breakMerge();
    rowAt(w).bitmapBox()->setText(text);
    m_document.breakMerge();
}

QString TemplateWindow::bitmapText(int w) const {
    return fs98::isWindowSlot(w) ? rowAt(w).bitmapBox()->text() : QString();
}

QString TemplateWindow::thresholdText() const {
    return m_lower->thresholdBox()->text();
}

} // namespace cockpix
