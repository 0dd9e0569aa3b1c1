#pragma once

// The program's two panel documents, one per format, both alive as long as the program;
// the current one is the panel the user edits (the other stays empty). Open and New pick
// it: the Undo and Redo commands, the history, the modified mark, Save and the checker
// follow current() and bind again on currentChanged(). Views of one format hold that
// format's document and read an empty panel while the other is current.

#include "panel/gui/fs2k/document.h"
#include "panel/gui/fs98/document.h"

#include <QObject>

namespace cockpix {

class PanelDocuments : public QObject {
    Q_OBJECT
public:
    explicit PanelDocuments(QObject* parent = nullptr);
    ~PanelDocuments() override;

    fs98::Document& fs98() { return m_fs98; }
    const fs98::Document& fs98() const { return m_fs98; }
    fs2k::Document& fs2k() { return m_fs2k; }
    const fs2k::Document& fs2k() const { return m_fs2k; }
    BaseDocument& current() const { return *m_current; }

    // Calls onFs98 or onFs2k with the current document, as std::visit does with a variant:
    // a view that does one thing per format says both, and the format is told apart here by
    // which document Open or New made current, never by a flag asked elsewhere.
    template <class OnFs98, class OnFs2k> decltype(auto) visit(OnFs98&& onFs98, OnFs2k&& onFs2k) {
        return m_current == &m_fs2k ? onFs2k(m_fs2k) : onFs98(m_fs98);
    }
    template <class OnFs98, class OnFs2k>
    decltype(auto) visit(OnFs98&& onFs98, OnFs2k&& onFs2k) const {
        return m_current == &m_fs2k ? onFs2k(m_fs2k) : onFs98(m_fs98);
    }

    // Open, New: an FS98 panel (an empty one for New) or the lines of a panel of FS2000 and
    // later replace what was edited; the other format's document is emptied first, so that
    // its views close or empty themselves, and the new one becomes current.
    void replaceWithFs98(const fs98::Panel& panel, const std::string& filePath);
    void replaceWithFs2k(fs2k::PanelLines lines, const std::string& filePath);

signals:
    void currentChanged();

private:
    void setCurrent(BaseDocument& document);

    fs98::Document m_fs98;
    fs2k::Document m_fs2k;
    BaseDocument* m_current = &m_fs98;
};

} // namespace cockpix
