#pragma once

// The About box (Form4, "About..."): what the program is, non-modal, closed by "Cancel".
// objectNames: Label1 (name and version), Label2 (description), Command1 ("Cancel").

#include <QDialog>

namespace cockpix {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

} // namespace cockpix
