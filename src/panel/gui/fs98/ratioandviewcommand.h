#pragma once

#include "panel/gui/fs98/command.h"

namespace cockpix::fs98 {

// A window's size ratio and the [Default View] set together, as one step: the outside-view
// frame corrects both when it opens, before the user did anything, and one undo takes the
// corrections back.
class RatioAndViewCommand : public Command {
public:
    RatioAndViewCommand(Document& document, int w, double ratio, const DefaultView& view,
                        const QString& text);

    void redo() override;
    void undo() override;

private:
    void apply(double ratio, const DefaultView& view);

    int m_window;
    double m_ratioBefore;
    double m_ratioAfter;
    DefaultView m_viewBefore;
    DefaultView m_viewAfter;
};

} // namespace cockpix::fs98
