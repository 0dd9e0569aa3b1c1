#pragma once

// The properties of one gauge line of an fs2k panel: x, y, width and height in boxes of
// their own (laterX, laterY, laterWidth, laterHeight) and the fields after them as one text
// (laterMore); an MSFS instrument's (htmlgaugeNN, paintingNN) path and query in two more
// boxes above them (laterPath, laterQuery). OK (laterOk) writes the line as one undo step when it
// changed; a box FS could not read, or a place FS cannot draw, is refused with a message and the
// dialog stays open, as is any character the panel's encoding lacks, as it is typed. The title
// names the gauge. It shows a move or resize made elsewhere; a change that adds or removes lines
// closes it.

#include "panel/gui/documentsfwd.h"

#include <QDialog>

#include <cstddef>

class QFormLayout;
class QLineEdit;

namespace cockpix {
class UserDialogs;
} // namespace cockpix

namespace cockpix::fs2k {

struct GaugeUnits;

class GaugePropertiesDialog : public QDialog {
    Q_OBJECT
public:
    GaugePropertiesDialog(fs2k::Document& document, UserDialogs& dialogs, std::size_t line,
                          QWidget* parent = nullptr);

    std::size_t line() const { return m_line; }
    QLineEdit* box(const char* objectName) const;

public slots:
    void accept() override;

private:
    void showLine();
    // The extent of the gauge's window in its units, where its lines tell it.
    GaugeUnits unitsOfLine() const;
    QLineEdit* addBox(QFormLayout* form, const char* name, const QString& label);

    fs2k::Document& m_document;
    UserDialogs& m_dialogs;
    std::size_t m_line;
    QLineEdit* m_x = nullptr;
    QLineEdit* m_y = nullptr;
    QLineEdit* m_width = nullptr;
    QLineEdit* m_height = nullptr;
    QLineEdit* m_more = nullptr;
    QLineEdit* m_path = nullptr; // an instrument's only
    QLineEdit* m_query = nullptr;
    bool m_applying = false;
    std::size_t m_lineCount = 0;
};

} // namespace cockpix::fs2k
