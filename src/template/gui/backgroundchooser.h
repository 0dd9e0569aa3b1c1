#pragma once

#include <QDialog>

#include <string>

class QLabel;
class QListWidget;
class QPushButton;

namespace cockpix {

// Form8, "Select background bitmap in " + the panel directory: the bitmaps of the panel
// directory, a stretched snapshot of the one clicked, and OK or a double click to take its
// name (without ".bmp") as the background of window w. The dialog only says which name was
// chosen; the template's bitmap box stores it.
//
// objectNames: File1, Image1 (the snapshot), Label1, Label2, Command1 (OK), Command2
// (Cancel).
class BackgroundChooser : public QDialog {
    Q_OBJECT
public:
    BackgroundChooser(const std::string& panelDir, int w, QWidget* parent = nullptr);

    int windowSlot() const { return m_w; }
    // OK: with a file selected, tells its name and closes; otherwise nothing happens.
    void confirm();

signals:
    // name is the file name without its last four characters (".bmp").
    void bitmapChosen(int w, const QString& name);

private:
    void build();
    void showSnapshot(const QString& fileName);

    const std::string m_panelDir;
    const int m_w;
    QListWidget* m_list = nullptr;
    QLabel* m_snapshot = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace cockpix
