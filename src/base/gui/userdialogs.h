#pragma once

// Every message box, question, file dialog, colour chooser and help display of COCKPIX
// goes through this interface, so that tests can script the answers and read the messages.

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

class QWidget;

namespace cockpix {

struct FileDialogRequest {
    QString caption;
    QString directory;     // initial directory
    QString proposedName;  // full path proposed in the name box
    QString filter;        // Qt filter list, e.g. "FS98 configuration file (*.cfg);;All (*.*)"
    QString defaultSuffix; // without the dot, e.g. "cfg"
    // Whether the save dialog asks before an existing file is chosen (the program may ask
    // itself, knowing which file will become a backup).
    bool confirmOverwrite = true;
};

// A list of texts to pick one from.
struct ListChoiceRequest {
    QString caption;
    QString label; // above the list
    QStringList items;
    int current = 0; // the item selected when the list opens
};

// A line of text to type, such as a number.
struct TextRequest {
    QString caption;
    QString label; // above the box
    QString text;  // in the box when it opens
};

// Two panel.cfg texts (Windows-1252 bytes) to compare before a save goes on.
struct ChangesRequest {
    QString oldLabel; // e.g. "panel.cfg on disk"
    std::string oldText;
    QString newLabel; // e.g. "panel.cfg to be saved"
    std::string newText;
};

// The answers to "The panel has changes that are not saved."
enum class SaveChoice { Save, Discard, Cancel };

class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // An OK-only message box with the application's title ("COCKPIX").
    virtual void message(const QString& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool question(const QString& text) = 0;
    // The same with No as the default answer, for a step the user guarded against on
    // purpose (replacing a read-only file).
    virtual bool questionDefaultNo(const QString& text) { return question(text); }
    // A Save / Discard / Cancel question about unsaved changes.
    virtual SaveChoice askToSave(const QString& text) = 0;
    // File dialogs; nullopt when cancelled.
    virtual std::optional<QString> openFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFileName(const FileDialogRequest& request) = 0;
    // The colour chooser; nullopt when cancelled.
    virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;
    // Shows the help file; false when it could not be shown.
    virtual bool showHelp(const QString& helpFilePath) = 0;
    // A list to pick one item from: the index picked, nullopt when cancelled (which is all
    // that dialogs without a list, such as a benchmark's silent ones, answer).
    virtual std::optional<int> chooseFromList(const ListChoiceRequest& request);
    // A line of text typed: what it says, nullopt when cancelled (the answer of dialogs
    // that cannot ask).
    virtual std::optional<QString> askText(const TextRequest& request);
    // The comparison of what a save changes, with "Save" and "Cancel": true for Save.
    // Dialogs that cannot show it answer Cancel, so that nothing is written unseen.
    virtual bool confirmChanges(const ChangesRequest& request);
};

// The real dialogs, with Qt's standard boxes and the application title "COCKPIX".
class QtUserDialogs final : public UserDialogs {
public:
    explicit QtUserDialogs(class QWidget* parentWindow = nullptr) : m_parent(parentWindow) {}
    void setParentWindow(QWidget* parentWindow) { m_parent = parentWindow; }

    void message(const QString& text) override;
    bool question(const QString& text) override;
    bool questionDefaultNo(const QString& text) override;
    SaveChoice askToSave(const QString& text) override;
    std::optional<QString> openFileName(const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    bool showHelp(const QString& helpFilePath) override;
    std::optional<int> chooseFromList(const ListChoiceRequest& request) override;
    std::optional<QString> askText(const TextRequest& request) override;
    bool confirmChanges(const ChangesRequest& request) override;

private:
    QWidget* m_parent = nullptr;
};

} // namespace cockpix
