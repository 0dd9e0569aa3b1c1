#pragma once

// What every panel document has, whatever format it edits: the panel.cfg it was opened
// from, the undo stack with its runs of merged steps, whether it differs from what was
// last opened or saved, the bytes Save writes, and the signals every view needs (the panel
// replaced, the modified state). The document of a format derives from it and adds its operations
// and their signals; its undo steps are pushed here.

#include "panel/core/panelformat.h"

#include <QObject>

#include <string>

class QUndoCommand;
class QUndoStack;

namespace cockpix {

namespace fs98 {
struct SaveRequest;
}

class BaseDocument : public QObject {
    Q_OBJECT
public:
    explicit BaseDocument(QObject* parent = nullptr);
    ~BaseDocument() override;

    // The panel.cfg the panel was read from; empty for a new panel.
    const std::string& filePath() const { return m_filePath; }
    // The format the document reads and writes.
    virtual PanelFormat format() const = 0;
    // Whether Save has anything to write.
    virtual bool hasContent() const = 0;
    // The bytes Save writes for the request (the place, and the palette choices an FS98
    // panel writes as colours).
    virtual std::string bytesToSave(const fs98::SaveRequest& save) const = 0;

    QUndoStack* undoStack() const { return m_undoStack; }
    // True while the panel differs from what was last opened or saved.
    bool isModified() const;
    // The panel was just written to filePath: that is its file from now on (the one a
    // comparison and the checker read), and the current state becomes the clean one.
    void markSaved(const std::string& filePath);
    // Open, once the template is filled: the panel stays, its history goes.
    void clearHistory();

    // Ends the present run of merged steps: the next edit is a step of its own even when it
    // changes the same field (the user left the box, or a button set it).
    void breakMerge();

    void undo();
    void redo();

signals:
    void panelReplaced();
    void modifiedChanged(bool modified);

protected:
    void setFilePath(const std::string& filePath) { m_filePath = filePath; }
    // One undo step, done as it is pushed.
    void push(QUndoCommand* command);

private:
    friend class PanelCommand;

    int mergeRun() const { return m_mergeRun; }

    std::string m_filePath;
    QUndoStack* m_undoStack = nullptr;
    int m_mergeRun = 0;
    bool m_pushing = false;
};

} // namespace cockpix
