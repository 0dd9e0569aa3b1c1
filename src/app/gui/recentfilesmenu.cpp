#include "app/gui/recentfilesmenu.h"

#include "base/gui/modeltext.h"
#include "settings/core/desktopstate.h"

#include <QAction>
#include <QMenu>

namespace cockpix {

RecentFilesMenu::RecentFilesMenu(QMenu* menu, QObject* parent) : QObject(parent), m_menu(menu) {
    // Before the menu opens, so that a file deleted meanwhile is not offered.
    connect(m_menu, &QMenu::aboutToShow, this, &RecentFilesMenu::refresh);
    refresh();
}

QStringList RecentFilesMenu::files() const {
    return m_shown;
}

template <class Change> void RecentFilesMenu::update(Change change) {
    const std::string file = desktopStateFilePath();
    DesktopState state = readDesktopState(file);
    const DesktopState before = state;
    dropMissingRecentFiles(state);
    change(state);
    if (state != before)
        writeDesktopState(state, file); // a list that cannot be kept is no reason to stop
    QStringList paths;
    for (const std::string& path : state.recentFiles)
        paths << fromModelPath(path);
    rebuild(paths);
}

void RecentFilesMenu::add(const QString& path) {
    update([&](DesktopState& state) { addRecentFile(state, toModelPath(path)); });
}

void RecentFilesMenu::remove(const QString& path) {
    update([&](DesktopState& state) { removeRecentFile(state, toModelPath(path)); });
}

void RecentFilesMenu::clear() {
    update([](DesktopState& state) { state.recentFiles.clear(); });
}

void RecentFilesMenu::refresh() {
    update([](DesktopState&) {});
}

void RecentFilesMenu::rebuild(const QStringList& paths) {
    m_shown = paths;
    // Later, not at once: the entry that asked to open a panel is still sending its signal.
    for (QAction* old : m_menu->actions()) {
        m_menu->removeAction(old);
        old->deleteLater();
    }
    for (int i = 0; i < paths.size(); ++i) {
        QString shown = paths.at(i);
        QAction* action = m_menu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(shown.replace('&', QStringLiteral("&&"))));
        action->setObjectName(QStringLiteral("mnurecent_%1").arg(i));
        action->setToolTip(paths.at(i));
        connect(action, &QAction::triggered, this,
                [this, path = paths.at(i)] { emit openRequested(path); });
    }
    if (!paths.isEmpty())
        m_menu->addSeparator();
    QAction* clearAction = m_menu->addAction(tr("&Clear List"));
    clearAction->setObjectName(QStringLiteral("mnurecentclear"));
    clearAction->setEnabled(!paths.isEmpty());
    connect(clearAction, &QAction::triggered, this, &RecentFilesMenu::clear);
    m_menu->menuAction()->setEnabled(!paths.isEmpty());
}

} // namespace cockpix
