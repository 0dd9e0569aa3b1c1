#pragma once

// A private copy of the demo FS98 installation that the build generates, so that tests may
// write bitmaps and panels without touching it, with the model's directories set to it.
// Header only: it needs the COCKPIX_BIN_DIR of the test program that includes it.

#include "panel/core/fs98/reader.h"
#include "panel/gui/fs98/document.h"
#include "state/core/appmodel.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

namespace cockpix {

class DemoPanel {
public:
    DemoPanel() {
        const QString demo = QStringLiteral(COCKPIX_BIN_DIR "/../demo");
        m_valid = m_dir.isValid() && QFileInfo::exists(demo + "/fs98/gauges") &&
                  copyTree(demo, m_dir.path()) && QDir().mkpath(gaugesDir() + "bmp") &&
                  QDir().mkpath(gaugesDir() + "palette");
    }
    bool isValid() const { return m_valid; }

    QString root() const { return m_dir.path(); }
    QString gaugesDir() const { return root() + "/fs98/gauges/"; }
    QString panelDir() const { return root() + "/fs98/aircraft/demo_cessna/panel/"; }
    QString panelFile() const { return panelDir() + "panel.cfg"; }
    static QString programDir() { return QStringLiteral(COCKPIX_BIN_DIR "/"); }

    // The five directories on the copy; the program directory is the build's, where the
    // default bitmaps lie.
    void setDirectories(Directories& dirs) const {
        dirs.gaugesDir = gaugesDir().toStdString();
        dirs.bmpDir = (gaugesDir() + "bmp/").toStdString();
        dirs.paletteDir = (gaugesDir() + "palette/").toStdString();
        dirs.panelDir = panelDir().toStdString();
        dirs.programDir = programDir().toStdString();
    }

    // The demo panel as Open reads it.
    fs98::Panel read() const {
        fs98::Panel panel;
        std::string dir = panelDir().toStdString();
        if (fs98::readPanelFile(panel, dir, panelFile().toStdString()))
            return {};
        applyOpenedRatioRule(panel);
        return panel;
    }

    // Clears the program state, sets the directories and opens the demo panel into the
    // document.
    bool open(fs98::Document& document, AppModel& app) const {
        app.clearPanelState();
        setDirectories(app.dirs);
        document.replacePanel(read(), panelFile().toStdString());
        return document.panel().windowCount > 0;
    }

    // The window of the demo panel with the most gauges.
    static int biggestWindow(const fs98::Panel& panel) {
        int best = 0;
        for (int w = 1; w < panel.windowCount; ++w) {
            if (panel.window(w).gaugeCount > panel.window(best).gaugeCount)
                best = w;
        }
        return best;
    }

private:
    static bool copyTree(const QString& from, const QString& to) {
        QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            const QString target = to + "/" + QDir(from).relativeFilePath(source);
            if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target))
                return false;
        }
        return true;
    }

    QTemporaryDir m_dir;
    bool m_valid = false;
};

} // namespace cockpix
