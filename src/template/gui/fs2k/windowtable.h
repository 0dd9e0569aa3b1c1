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
// An MSFS variant that uses its base container's sections lists them below its own, headed
// "[NAME] (base)", greyed and never typed into, shown or removed; "Open base panel"
// (laterOpenBasePanel) asks for the base's file (openBasePanelRequested), enabled whenever the
// aircraft names a base container.

#include "base/core/textencoding.h"
#include "panel/core/fs2k/panel.h"
#include "panel/core/fs2k/variant.h"
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
    QPushButton* openBaseButton() const { return m_openBase; }
    // The note above the table, which takes the template's colour.
    QLabel* note() const { return m_note; }

    // Shows what the document's lines set now.
    void refresh();

signals:
    // The panel window of the section at index in Panel::windows.
    void showWindowRequested(int index);
    // The base container's panel.cfg, to be opened as "&Open" opens a file.
    void openBasePanelRequested(const QString& path);

private:
    void cellEdited(QTableWidgetItem* item);
    void addWindow();
    void removeWindow();
    // The base panels of the document's file, read again when another panel is opened.
    void readBases();
    void showBaseRows(int firstRow, TextEncoding encoding);
    bool isOwnRow(int row) const;
    void updateButtons();

    fs2k::Document& m_document;
    UserDialogs& m_dialogs;
    QLabel* m_note = nullptr;
    QTableWidget* m_table = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_show = nullptr;
    QPushButton* m_openBase = nullptr;
    VariantBase m_variant;
    std::vector<Panel> m_basePanels; // what each of m_variant.bases sets
};

} // namespace cockpix::fs2k
