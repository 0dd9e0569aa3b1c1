#pragma once

// The controls of one row of the template's window table, all built from one template:
// the view button, the title, bitmap name, size, ratio, position and ident boxes, the
// visible check box and the "List" and "Auto" buttons. The template window connects them.

#include <QString>

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace cockpix::fs98 {

// Grid columns of the window table, shared by the headings and the rows.
enum TableColumn {
    ViewColumn,
    TitleColumn,
    BitmapColumn,
    ListColumn,
    SizeColumn,
    SizeAutoColumn,
    RatioColumn,
    RatioAutoColumn,
    PositionColumn,
    VisibleColumn,
    IdentColumn,
};

class WindowRow {
public:
    // Creates the controls of row `row` (0..8) as children of parent, with their captions,
    // tooltips and objectNames ("Text1_3", "Command1_3", ...).
    WindowRow(int row, QWidget* parent);

    // Puts the controls into one line of the table's grid.
    void addTo(QGridLayout& grid, int gridRow) const;

    // Empties the row without running any change handling: boxes empty, visible box
    // unchecked with its first caption "Off".
    void clearSilently();

    int row() const { return m_row; }
    QPushButton* viewButton() const { return m_view; }           // Command1
    QLineEdit* titleBox() const { return m_title; }              // Text1
    QLineEdit* bitmapBox() const { return m_bitmap; }            // Text2
    QPushButton* listButton() const { return m_list; }           // Command4
    QLineEdit* sizeBox() const { return m_size; }                // Text3
    QPushButton* sizeAutoButton() const { return m_sizeAuto; }   // Command3
    QLineEdit* ratioBox() const { return m_ratio; }              // Text4
    QPushButton* ratioAutoButton() const { return m_ratioAuto; } // Command6
    QLineEdit* positionBox() const { return m_position; }        // Text5
    QCheckBox* visibleBox() const { return m_visible; }          // Check3
    QLineEdit* identBox() const { return m_ident; }              // Text7

private:
    QLineEdit* makeBox(const char* name, const QString& tooltip, int widthInChars,
                       QWidget* parent) const;
    QPushButton* makeButton(const char* name, const QString& caption, const QString& tooltip,
                            QWidget* parent) const;
    void nameForScreenReaders(const QString& window) const;

    int m_row;
    QPushButton* m_view;
    QLineEdit* m_title;
    QLineEdit* m_bitmap;
    QPushButton* m_list;
    QLineEdit* m_size;
    QPushButton* m_sizeAuto;
    QLineEdit* m_ratio;
    QPushButton* m_ratioAuto;
    QLineEdit* m_position;
    QCheckBox* m_visible;
    QLineEdit* m_ident;
};

} // namespace cockpix::fs98
