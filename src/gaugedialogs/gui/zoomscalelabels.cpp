#include "gaugedialogs/gui/zoomscalelabels.h"

#include <QEvent>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>

namespace cockpix {

ZoomScaleLabels::ZoomScaleLabels(QScrollBar* slider, const QList<QPair<int, QString>>& marks,
                                 QWidget* parent)
    : QWidget(parent), m_slider(slider) {
    for (const auto& [value, text] : marks) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QStringLiteral("Label2_%1").arg(m_marks.size()));
        label->setAccessibleName(text);
        label->adjustSize();
        m_marks.append({value, label});
    }
    m_slider->installEventFilter(this);
}

QSize ZoomScaleLabels::sizeHint() const {
    int height = 0;
    for (const auto& mark : m_marks)
        height = std::max(height, mark.second->sizeHint().height());
    return {m_slider->sizeHint().width(), height};
}

QSize ZoomScaleLabels::minimumSizeHint() const {
    return {0, sizeHint().height()};
}

bool ZoomScaleLabels::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_slider && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        placeMarks();
    return QWidget::eventFilter(watched, event);
}

void ZoomScaleLabels::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeMarks();
}

void ZoomScaleLabels::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    placeMarks();
}

int ZoomScaleLabels::handleCentre(int value) const {
    QStyleOptionSlider option;
    option.initFrom(m_slider);
    option.subControls = QStyle::SC_All;
    option.orientation = m_slider->orientation();
    option.minimum = m_slider->minimum();
    option.maximum = m_slider->maximum();
    option.singleStep = m_slider->singleStep();
    option.pageStep = m_slider->pageStep();
    option.upsideDown = m_slider->invertedAppearance();
    option.sliderPosition = value;
    option.sliderValue = value;
    const QRect handle = m_slider->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                           QStyle::SC_ScrollBarSlider, m_slider);
    const QPoint centre = m_slider->mapTo(window(), handle.center());
    return mapFrom(window(), centre).x();
}

void ZoomScaleLabels::placeMarks() {
    for (const auto& [value, label] : m_marks) {
        const int left = handleCentre(value) - label->width() / 2;
        label->move(std::clamp(left, 0, std::max(0, width() - label->width())),
                    (height() - label->height()) / 2);
    }
}

} // namespace cockpix
