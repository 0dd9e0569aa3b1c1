#pragma once

// The external view coordinates dialog (Form6, "External view coordinates"): X, Y and the
// two sizes of FS98's outside view, each a text box (Text1..Text4) with a scroll bar
// (HScroll1..HScroll4) under its label (Label1..Label4), the note (Label5), "OK" (Command1)
// and "Cancel" (Command2). A typed value outside its row's range empties the box; an
// accepted one moves the bar, and a bar that moves writes its whole value into the box.
// Every bar value moves one edge of the external view frame at once; nothing reaches the
// panel before "OK". Modeless, deleted when closed.

#include "outview/core/viewcoordinates.h"

#include <QDialog>
#include <array>

class QGridLayout;
class QLineEdit;
class QScrollBar;

namespace cockpix {

class ExternalViewCoordinates : public QDialog {
    Q_OBJECT
public:
    explicit ExternalViewCoordinates(QWidget* parent = nullptr);

    // Fills the rows from the view (each changed box runs its handling, which moves the
    // frame), then puts each bar on its value rounded, when that lies within the bar.
    void fill(const fs98::DefaultView& view, double scale);

    QLineEdit* box(ViewCoordinate row) const { return m_boxes[index(row)]; }
    QScrollBar* bar(ViewCoordinate row) const { return m_bars[index(row)]; }

signals:
    // A bar value placed an edge of the frame (in twips).
    void frameEdgeChanged(ViewCoordinate edge, double twips);
    // "OK": the whole part of each box's number; a box emptied by a refusal gives its
    // bar's value.
    void confirmed(const fs98::DefaultView& view);
    void cancelled();

private:
    static std::size_t index(ViewCoordinate row) { return static_cast<std::size_t>(row); }
    void addRow(QGridLayout& grid, ViewCoordinate row);
    void textChanged(ViewCoordinate row, const QString& text);
    void barMoved(ViewCoordinate row, int value);
    void confirm();

    std::array<QLineEdit*, 4> m_boxes{};
    std::array<QScrollBar*, 4> m_bars{};
    double m_scale = 0;
};

} // namespace cockpix
