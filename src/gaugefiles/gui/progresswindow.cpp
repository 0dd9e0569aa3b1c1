#include "gaugefiles/gui/progresswindow.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

namespace cockpix {
namespace {

// Repainting more often than this only slows a load down; less often looks frozen.
constexpr qint64 kRepaintEveryMs = 40;

} // namespace

ProgressWindow::ProgressWindow(QWidget* parent, qint64 showAfterMs)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      m_showAfterMs(showAfterMs) {
    setObjectName(QStringLiteral("Form10"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setAccessibleName(QStringLiteral("Progress"));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    resize(420, 60);
    m_sinceStart.start();
}

void ProgressWindow::setProgress(const QString& caption, int percent) {
    m_caption = caption;
    m_bar->setValue(std::clamp(percent, 0, 100));
    checkpoint();
}

void ProgressWindow::checkpoint() {
    if (!isVisible()) {
        if (m_sinceStart.elapsed() < m_showAfterMs)
            return;
        show();
        m_sinceFlush.invalidate();
    }
    if (!m_sinceFlush.isValid() || m_sinceFlush.elapsed() >= kRepaintEveryMs)
        flushPaint();
}

int ProgressWindow::value() const {
    return m_bar->value();
}

// Lets the window system show the new caption and bar; user input waits, so nobody can
// close or edit a panel window while it is being built.
void ProgressWindow::flushPaint() {
    setWindowTitle(m_caption);
    m_bar->setAccessibleDescription(m_caption);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_sinceFlush.restart();
}

} // namespace cockpix
