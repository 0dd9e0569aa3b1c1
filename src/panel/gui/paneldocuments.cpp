#include "panel/gui/paneldocuments.h"

#include <utility>

namespace cockpix {

PanelDocuments::PanelDocuments(QObject* parent) : QObject(parent) {}

PanelDocuments::~PanelDocuments() = default;

void PanelDocuments::replaceWithFs98(const fs98::Panel& panel, const std::string& filePath) {
    if (m_fs2k.hasContent())
        m_fs2k.clear();
    setCurrent(m_fs98);
    m_fs98.replacePanel(panel, filePath);
}

void PanelDocuments::replaceWithFs2k(fs2k::PanelLines lines, const std::string& filePath) {
    m_fs98.replacePanel(fs98::Panel{}, {});
    setCurrent(m_fs2k);
    try {
        m_fs2k.replacePanel(std::move(lines), filePath);
    } catch (...) {
        // Lines that cannot be read (out of memory): the empty FS98 panel stays the one edited.
        m_fs2k.clear();
        setCurrent(m_fs98);
        throw;
    }
}

void PanelDocuments::setCurrent(BaseDocument& document) {
    if (m_current == &document)
        return;
    m_current = &document;
    emit currentChanged();
}

} // namespace cockpix
