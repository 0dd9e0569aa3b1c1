#pragma once

// The directories dialog (Form7, "Set directories..."): browses to the GAUGES, COCKPIX or
// PANEL directory it was opened for and confirms it. A directory tree stands in
// for the drive and directory lists; a click selects a directory, a double-click opens it.
// A path box above the tree follows it, and a path typed there (Enter, or "OK") opens that
// directory in the tree; the selected path label always shows what "OK" will store.
//
// objectNames: Frame1 (the "Set ... directory path..." frame), Dir1 (the directory tree),
// Text1 (the path box), Label1 ("Selected ... directory path :"), Label2 (the selected path),
// Label3 (the hint), Command1 ("OK"), Command2 ("Cancel").

#include <QDialog>
#include <string>

class QFileSystemModel;
class QLabel;
class QLineEdit;
class QModelIndex;
class QTreeView;

namespace cockpix {

struct AppModel;
class UserDialogs;

class DirectoriesDialog : public QDialog {
    Q_OBJECT
public:
    // target is "GAUGES", "COCKPIX" or "PANEL"; the dialog keeps it whatever happens to
    // the panel meanwhile.
    DirectoriesDialog(AppModel& app, const QString& target, UserDialogs& dialogs,
                      QWidget* parent = nullptr);

    QString target() const { return m_target; }

    // The directory the list has opened (without the trailing "/" the selection gets).
    QString listPath() const { return m_listPath; }
    // Opens a directory in the list, as a double-click on it does.
    void setListPath(const QString& path);

    QTreeView* directoryTree() const { return m_tree; }
    QLineEdit* pathBox() const { return m_pathBox; }
    QFileSystemModel* fileSystemModel() const { return m_fileSystem; }

signals:
    // "OK" stored the directory; the main window caption is to follow it.
    void directoryConfirmed();

public slots:
    void accept() override; // "OK"
    void reject() override; // "Cancel", Escape and the frame's close button

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openIndex(const QModelIndex& index);
    // A directory clicked in the list becomes the selected one, without moving the list.
    void selectIndex(const QModelIndex& index);
    // The selected path, the work directories and the path box follow the list's path.
    void selectListPath();
    // The directory the path box names (absolute), empty when it names none.
    QString typedDirectory() const;
    // While the user types: the path label shows what "OK" would store.
    void showTypedPath();
    // A press at global position at, outside the open list of completions, on one of the
    // dialog's buttons: the list closes and the button is clicked. False for any other.
    bool pressButtonBesidePopup(const QPoint& at);
    // Opens the directory typed in the path box; false (after a message) when there is none.
    bool openTypedPath();
    void revealListPath();

    AppModel& m_app;
    UserDialogs& m_dialogs;
    QString m_target;
    QString m_listPath;
    std::string m_selected;       // the selected path, with its trailing "/"
    bool m_listPathShown = false; // the list no longer follows its directory into view
    QFileSystemModel* m_fileSystem = nullptr;
    QTreeView* m_tree = nullptr;
    QLabel* m_selectedPath = nullptr;
    QLineEdit* m_pathBox = nullptr;
    // The work directories as they were when the dialog opened: browsing for GAUGES moves
    // them along, and only "OK" may keep that.
    std::string m_openingBmpDir;
    std::string m_openingPaletteDir;
};

} // namespace cockpix
