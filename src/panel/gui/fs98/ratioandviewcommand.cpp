#include "panel/gui/fs98/ratioandviewcommand.h"

namespace cockpix::fs98 {

RatioAndViewCommand::RatioAndViewCommand(Document& document, int w, double ratio,
                                         const DefaultView& view, const QString& text)
    : Command(document, text), m_window(w),
      m_ratioBefore(document.panel().window(w).windowSizeRatio), m_ratioAfter(ratio),
      m_viewBefore(document.panel().defaultView()), m_viewAfter(view) {}

void RatioAndViewCommand::apply(double ratio, const DefaultView& view) {
    if (m_ratioBefore != m_ratioAfter) {
        panel().window(m_window).windowSizeRatio = ratio;
        emit document().windowChanged(m_window);
    }
    if (!(m_viewBefore == m_viewAfter)) {
        panel().setDefaultView(view);
        emit document().defaultViewChanged();
    }
}

void RatioAndViewCommand::redo() {
    apply(m_ratioAfter, m_viewAfter);
}

void RatioAndViewCommand::undo() {
    apply(m_ratioBefore, m_viewBefore);
}

} // namespace cockpix::fs98
