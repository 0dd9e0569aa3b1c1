#pragma once

// "Open &Recent" in the Template menu: the panels opened last, newest first, kept in the
// desktop state file beside the settings file. Every change reads that file again before
// writing it, so that a second COCKPIX running meanwhile keeps the entries it added; files
// that no longer exist are taken off the list whenever it is shown.
//
// objectNames: mnurecent_0 .. mnurecent_7 (the entries), mnurecentclear ("&Clear List").

#include <QObject>
#include <QStringList>

class QMenu;

namespace cockpix {

struct DesktopState;

class RecentFilesMenu : public QObject {
    Q_OBJECT
public:
    // Fills menu, which stays owned by its parent.
    explicit RecentFilesMenu(QMenu* menu, QObject* parent = nullptr);

    // The list as the menu shows it, without the files that have gone.
    QStringList files() const;

public slots:
    void add(const QString& path);
    void remove(const QString& path);
    void clear();
    // Reads the list again and rebuilds the entries.
    void refresh();

signals:
    void openRequested(const QString& path);

private:
    // Reads the file, lets change edit the state, writes it back when it changed, and
    // shows the result.
    template <class Change> void update(Change change);
    void rebuild(const QStringList& paths);

    QMenu* m_menu;
    QStringList m_shown;
};

} // namespace cockpix
