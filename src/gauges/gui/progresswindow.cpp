#include "gauges/gui/progresswindow.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

namespace cockpix {
namespace {

// Repainting more often than this only slows a load down; less often looks frozen.
constexpr qint64 kRepaintEveryMs = 40;

} // namespace

ProgressWindow::ProgressWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
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
}

void ProgressWindow::setProgress(const QString& caption, int percent) {
    const bool firstShow = !isVisible();
    setWindowTitle(caption);
    m_bar->setAccessibleDescription(caption);
    m_bar->setValue(std::clamp(percent, 0, 100));
    if (firstShow) {
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
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_sinceFlush.restart();
}

} // namespace cockpix
