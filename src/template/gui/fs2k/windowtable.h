#pragma once

// The template's table for a panel of FS2000 and later (objectName laterWindowTable): one
// row per [WindowNN], [VcockpitNN] and [VPaintingNN] section in file order, headed by the
// section's name, with the columns of Column (an empty panel has no row). It grows with the panel
// and scrolls. A typed cell goes through the table's rules (fs2k/windowtable.h) to the document as
// one undo step; a refused one shows its message and the line's value again. "Add window"
// (laterAddWindow) writes a new window under the next free number; "Remove window"
// (laterRemoveWindow) removes the current row's section after asking; "Show window"
// (laterShowWindow) or a double click on a row's section name asks for the row's panel window
// (showWindowRequested). A note above the table (laterNote) says how the panel is kept.

#include "panel/gui/documentsfwd.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace cockpix {
class UserDialogs;
} // namespace cockpix

namespace cockpix::fs2k {

class WindowTable : public QWidget {
    Q_OBJECT
public:
    WindowTable(fs2k::Document& document, UserDialogs& dialogs, QWidget* parent = nullptr);

    QTableWidget* table() const { return m_table; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* removeButton() const { return m_remove; }
    QPushButton* showButton() const { return m_show; }
    // The note above the table, which takes the template's colour.
    QLabel* note() const { return m_note; }

    // Shows what the document's lines set now.
    void refresh();

signals:
    // The panel window of the section at index in Panel::windows.
    void showWindowRequested(int index);

private:
    void cellEdited(QTableWidgetItem* item);
    void addWindow();
    void removeWindow();

    fs2k::Document& m_document;
    UserDialogs& m_dialogs;
    QLabel* m_note = nullptr;
    QTableWidget* m_table = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_show = nullptr;
};

} // namespace cockpix::fs2k
