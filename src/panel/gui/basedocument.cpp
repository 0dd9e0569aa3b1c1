#include "panel/gui/basedocument.h"

#include <QUndoStack>

namespace cockpix {

BaseDocument::BaseDocument(QObject* parent) : QObject(parent), m_undoStack(new QUndoStack(this)) {
    connect(m_undoStack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
    // Undo, redo and a jump in the history each end a run of merged steps, whoever asked
    // for them (the Edit menu, the history view, a test).
    connect(m_undoStack, &QUndoStack::indexChanged, this, [this] {
        if (!m_pushing)
            breakMerge();
    });
}

BaseDocument::~BaseDocument() = default;

void BaseDocument::push(QUndoCommand* command) {
    m_pushing = true;
    m_undoStack->push(command);
    m_pushing = false;
}

bool BaseDocument::isModified() const {
    return !m_undoStack->isClean();
}

void BaseDocument::markSaved(const std::string& filePath) {
    m_filePath = filePath;
    m_undoStack->setClean();
    breakMerge();
}

void BaseDocument::clearHistory() {
    m_undoStack->clear();
    m_undoStack->setClean();
    breakMerge();
}

void BaseDocument::breakMerge() {
    ++m_mergeRun;
}

void BaseDocument::undo() {
    m_undoStack->undo();
}

void BaseDocument::redo() {
    m_undoStack->redo();
}

} // namespace cockpix
