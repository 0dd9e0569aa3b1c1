#include "gaugedialogs/gui/movezoomdialog.h"

#include "base/core/filelookup.h"
#include "base/core/numbertext.h"
#include "base/gui/colorref.h"
#include "base/gui/modeltext.h"
#include "base/gui/screen.h"
#include "base/gui/undokeys.h"
#include "drawing/gui/panelrenderer.h"
#include "gaugedialogs/gui/zoompreview.h"
#include "gaugedialogs/gui/zoomscalelabels.h"
#include "gaugefiles/core/gaugeextraction.h"
#include "panel/gui/fs98/document.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace cockpix {
namespace {

double textValue(const QLineEdit* text) {
    return numericValue(toModelText(text->text()));
}

QLabel* makeLabel(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QGroupBox* makeGroup(const char* name, const QString& caption, const QString& toolTip,
                     QWidget* parent) {
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setToolTip(toolTip);
    return group;
}

} // namespace

MoveZoomSubject panelMoveZoomSubject(const fs98::Document& document, AppModel& app, int w) {
    MoveZoomSubject subject;
    subject.backColor = toQColor(app.panelBackColor);
    subject.picture = loadBitmapImage(
        resolvePathIgnoringCase(backgroundBitmapPath(document.panel(), app.dirs, w).path));
    const fs98::WindowDisplay& shown = app.display.window(w);
    subject.placement = {shown.windowZoom, shown.windowShiftX, shown.windowShiftY};
    subject.pictureWidth = [&app, w] { return app.display.window(w).windowPixelWidth; };
    subject.previewRect = [&document, &app, w](double z, fs98::PointF shift,
                                               const PreviewScale& scale) {
        const QSize screen = screenSizePixels();
        fs98::storeScreen(app.display, screen.width(), screen.height());
        // Where the position rule puts the picture at that zoom, kept while the dialog is open.
        fs98::WindowDisplay& window = app.display.window(w);
        const fs98::PointF offset = placementOffsetForZoom(document.panel(), app.display, w, z);
        window.savedOffsetX = offset.x;
        window.savedOffsetY = offset.y;
        return previewPictureRect(document.panel(), app.display, w, z, offset, shift, scale);
    };
    subject.store = [&app, w](const fs98::ViewPlacement& placement) {
        fs98::WindowDisplay& window = app.display.window(w);
        window.windowZoom = placement.zoom;
        window.windowShiftX = placement.shiftX;
        window.windowShiftY = placement.shiftY;
    };
    return subject;
}

MoveZoomDialog::MoveZoomDialog(const fs98::Document& document, AppModel& app, int w,
                               QWidget* parent)
    : MoveZoomDialog(document, panelMoveZoomSubject(document, app, w), w, parent) {}

MoveZoomDialog::MoveZoomDialog(const BaseDocument& document, MoveZoomSubject subject, int w,
                               QWidget* parent)
    : QDialog(parent), m_document(document), m_subject(std::move(subject)), m_w(w) {
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(QStringLiteral("Move panel picture..."));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto* controls = new QVBoxLayout;
    controls->addWidget(buildZoomGroup());
    controls->addWidget(buildFocusGroup());
    controls->addWidget(buildConfirmGroup());
    m_preview = new ZoomPreview(this);
    m_preview->setObjectName(QStringLiteral("Picture1"));
    m_preview->setAccessibleName(tr("Screen preview"));
    m_preview->setFixedSize(int(kPreviewWidthTwips / kTwipsPerPixel),
                            int(kPreviewVisibleHeightTwips / kTwipsPerPixel));
    auto* screen = new QVBoxLayout;
    screen->addWidget(m_preview);
    screen->addWidget(makeLabel(QStringLiteral("The center rectangle represents your screen "
                                               "limits."),
                                "Label6", this));
    screen->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(controls);
    layout->addLayout(screen);

    connectControls();
    routeUndoKeysToEditMenu(this);
    connect(&m_document, &BaseDocument::panelReplaced, this, &QWidget::close);
    fillFromModel();
}

QLineEdit* MoveZoomDialog::makeText(const char* name, const QString& accessibleName) {
    auto* text = new QLineEdit(this);
    text->setObjectName(QString::fromLatin1(name));
    text->setAccessibleName(accessibleName);
    text->setMaximumWidth(140);
    return text;
}

QPushButton* MoveZoomDialog::makeButton(const char* name, const QString& caption,
                                        const QString& toolTip) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(toolTip);
    button->setAccessibleName(caption);
    button->setAccessibleDescription(toolTip);
    button->setAutoDefault(false);
    return button;
}

QGroupBox* MoveZoomDialog::buildZoomGroup() {
    auto* group = makeGroup(
        "Frame1", QStringLiteral("ZOOM COMMANDS"),
        QStringLiteral("Zooms CockPix display (not shown in FS98, use RATIO value instead)"), this);
    auto* grid = new QGridLayout(group);
    m_zoomText = makeText("Text1", QStringLiteral("Zoom ratio"));
    m_zoomSlider = new QScrollBar(Qt::Horizontal, group);
    m_zoomSlider->setObjectName(QStringLiteral("HScroll1"));
    m_zoomSlider->setAccessibleName(tr("Zoom slider"));
    m_zoomSlider->setRange(kZoomSliderMinimum, kZoomSliderMaximum);
    m_zoomSlider->setPageStep(kZoomSliderPageStep);
    m_zoomSlider->setMinimumWidth(300);
    m_autoAdjust =
        makeButton("Command1", QStringLiteral("AUTO ADJUST"),
                   QStringLiteral("Adjusts view to current window size (exactly like in FS98)"));
    grid->addWidget(makeLabel(QStringLiteral("Zoom ratio"), "Label1", group), 0, 0);
    grid->addWidget(m_zoomText, 0, 1);
    grid->addWidget(m_autoAdjust, 0, 2);
    // The zooms a fifth to five times, one mark every page step of the slider.
    const QList<QPair<int, QString>> marks = {{-40, "/5"}, {-30, "/4"}, {-20, "/3"},
                                              {-10, "/2"}, {0, "X1"},   {10, "X2"},
                                              {20, "X3"},  {30, "X4"},  {40, "X5"}};
    auto* scale = new ZoomScaleLabels(m_zoomSlider, marks, group);
    scale->setObjectName(QStringLiteral("Label2"));
    scale->setAccessibleName(tr("Zoom scale"));
    grid->addWidget(scale, 1, 0, 1, 3);
    grid->addWidget(m_zoomSlider, 2, 0, 1, 3);
    return group;
}

QGroupBox* MoveZoomDialog::buildFocusGroup() {
    auto* group =
        makeGroup("Frame2", QStringLiteral("FOCUS"),
                  QStringLiteral("Position of CockPix display (not shown in FS98)"), this);
    auto* grid = new QGridLayout(group);
    const char* texts[] = {"Text2", "Text3"};
    const char* captions[] = {"X shift :", "Y shift :"};
    const char* labels[] = {"Label3", "Label4"};
    const char* resets[] = {"Command2", "Command3"};
    const char* resetCaptions[] = {"RESET X", "RESET Y"};
    for (int i = 0; i < 2; ++i) {
        const QString caption = QString::fromLatin1(captions[i]);
        m_shiftText[i] = makeText(texts[i], caption);
        m_shiftSlider[i] = new QScrollBar(i == 0 ? Qt::Horizontal : Qt::Vertical, group);
        m_shiftSlider[i]->setObjectName(i == 0 ? QStringLiteral("HScroll2")
                                               : QStringLiteral("VScroll1"));
        m_shiftSlider[i]->setAccessibleName(i == 0 ? tr("X shift slider") : tr("Y shift slider"));
        m_reset[i] = makeButton(resets[i], QString::fromLatin1(resetCaptions[i]),
                                QStringLiteral("Sets value to zero"));
        grid->addWidget(makeLabel(caption, labels[i], group), i, 0);
        grid->addWidget(m_shiftText[i], i, 1);
        grid->addWidget(m_reset[i], i, 2);
    }
    m_shiftSlider[0]->setMinimumWidth(300);
    m_shiftSlider[1]->setMinimumHeight(120);
    grid->addWidget(m_shiftSlider[0], 2, 0, 1, 3);
    grid->addWidget(m_shiftSlider[1], 0, 3, 3, 1);
    return group;
}

QGroupBox* MoveZoomDialog::buildConfirmGroup() {
    auto* group = makeGroup("Frame3", QStringLiteral("CONFIRM"),
                            QStringLiteral("Saves or forgets all changes"), this);
    auto* row = new QHBoxLayout(group);
    m_ok = makeButton("Command4", QStringLiteral("OK"), QString());
    m_cancel = makeButton("Command5", QStringLiteral("Cancel"), QString());
    row->addWidget(m_ok);
    row->addWidget(m_cancel);
    return group;
}

void MoveZoomDialog::connectControls() {
    connect(m_zoomText, &QLineEdit::textChanged, this, &MoveZoomDialog::onZoomText);
    connect(m_zoomSlider, &QScrollBar::valueChanged, this, &MoveZoomDialog::onZoomSlider);
    for (int i = 0; i < 2; ++i) {
        const bool across = i == 0;
        connect(m_shiftText[i], &QLineEdit::textChanged, this,
                [this, across] { onShiftText(across); });
        connect(m_shiftSlider[i], &QScrollBar::valueChanged, this,
                [this, across](int s) { onShiftSlider(across, s); });
        connect(m_reset[i], &QPushButton::clicked, this,
                [slider = m_shiftSlider[i]] { slider->setValue(0); });
    }
    connect(m_autoAdjust, &QPushButton::clicked, this, &MoveZoomDialog::autoAdjust);
    connect(m_ok, &QPushButton::clicked, this, &MoveZoomDialog::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);
}

// The texts are set last, each running its handling, so sliders and preview follow them.
void MoveZoomDialog::fillFromModel() {
    m_preview->setBackColor(m_subject.backColor);
    const QSize screen = screenSizePixels();
    m_previewScale = previewScale(screen.width(), screen.height());
    const int bounds[] = {shiftSliderBound(m_previewScale.x), shiftSliderBound(m_previewScale.y)};
    for (int i = 0; i < 2; ++i)
        m_shiftSlider[i]->setRange(-bounds[i], bounds[i]);
    m_preview->setPicture(m_subject.picture);
    const fs98::ViewPlacement& shown = m_subject.placement;
    m_previewZoom = shown.zoom;
    m_shiftText[0]->setText(numberText(shown.shiftX));
    m_shiftText[1]->setText(numberText(shown.shiftY));
    m_zoomText->setText(numberText(shown.zoom));
    placePreview();
}

void MoveZoomDialog::placePreview() {
    if (!m_subject.previewRect)
        return;
    const fs98::RectF twips = m_subject.previewRect(
        m_previewZoom, {double(m_shiftSlider[0]->value()), double(m_shiftSlider[1]->value())},
        m_previewScale);
    const double pixel = kTwipsPerPixel;
    m_preview->setPictureRect(
        QRectF(twips.left / pixel, twips.top / pixel, twips.width / pixel, twips.height / pixel));
}

void MoveZoomDialog::onZoomText() {
    const double z = textValue(m_zoomText);
    if (!zoomAccepted(z)) {
        m_zoomText->clear();
        return;
    }
    m_previewZoom = z;
    placePreview();
    if (const auto value = sliderForZoom(z))
        m_zoomSliderValue = *value;
    if (const auto position = zoomSliderPosition(m_zoomSliderValue)) {
        // The slider follows the text without writing its own reading back into it.
        m_zoomSliderGuard = true;
        m_zoomSlider->setValue(*position);
        m_zoomSliderGuard = false;
    }
}

void MoveZoomDialog::onZoomSlider(int v) {
    if (m_zoomSliderGuard)
        return;
    m_zoomSliderValue = v;
    m_zoomText->setText(QString::fromStdString(zoomTextForSlider(v)));
}

void MoveZoomDialog::onShiftText(bool across) {
    const int i = across ? 0 : 1;
    const double scale = across ? m_previewScale.x : m_previewScale.y;
    const auto position = shiftSliderForTyped(textValue(m_shiftText[i]), scale);
    if (!position) {
        m_shiftText[i]->clear();
        return;
    }
    m_shiftSlider[i]->setValue(*position);
}

void MoveZoomDialog::onShiftSlider(bool across, int s) {
    placePreview();
    m_shiftText[across ? 0 : 1]->setText(numberText(s));
}

void MoveZoomDialog::autoAdjust() {
    if (!m_subject.pictureWidth)
        return;
    const auto zoom = autoAdjustZoom(screenSizePixels().width(), m_subject.pictureWidth());
    if (!zoom)
        return;
    if (const auto value = sliderForZoom(*zoom))
        m_zoomSliderValue = *value;
    m_zoomSliderGuard = false;
    m_zoomText->setText(numberText(*zoom));
}

void MoveZoomDialog::confirm() {
    const double zoom = textValue(m_zoomText);
    if (zoom == 0)
        return;
    if (m_subject.store)
        m_subject.store({zoom, textValue(m_shiftText[0]), textValue(m_shiftText[1])});
    emit placementChanged(m_w);
    close();
}

} // namespace cockpix
