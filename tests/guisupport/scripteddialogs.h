#pragma once

// A UserDialogs for GUI tests: records every message, question and dialog request, and
// answers questions and dialogs from queues filled by the test beforehand. A question or
// dialog that the test did not expect (nothing queued) fails the running test, records an
// error and answers "No" / "Cancel", so a forgotten confirmation never passes unnoticed.

#include "base/gui/userdialogs.h"

#include <QList>
#include <QStringList>
#include <deque>

namespace cockpix {

class ScriptedDialogs final : public UserDialogs {
public:
    ScriptedDialogs() = default;
    ~ScriptedDialogs() override;

    // --- Answers, used first in first out ---
    void queueQuestionAnswer(bool yes) { m_questionAnswers.push_back(yes); }
    // For "The panel has changes that are not saved."
    void queueSaveChoice(SaveChoice choice) { m_saveChoices.push_back(choice); }
    // For the file dialogs, the colour chooser and the text question; nullopt = Cancel.
    void queueOpenFile(std::optional<QString> path) { m_openAnswers.push_back(std::move(path)); }
    void queueSaveFile(std::optional<QString> path) { m_saveAnswers.push_back(std::move(path)); }
    void queueColor(std::optional<QColor> color) { m_colorAnswers.push_back(color); }
    void queueText(std::optional<QString> text) { m_textAnswers.push_back(std::move(text)); }
    // The item to pick from the next list, by its text; nullopt = Cancel.
    void queueListChoice(std::optional<QString> item) { m_listAnswers.push_back(std::move(item)); }
    // The answer to the next comparison before a save: true = Save.
    void queueChangesAnswer(bool save) { m_changesAnswers.push_back(save); }

    // --- What the program showed ---
    const QStringList& messages() const { return m_messages; }           // message() texts
    const QStringList& questions() const { return m_questions; }         // question() texts
    const QStringList& saveQuestions() const { return m_saveQuestions; } // askToSave() texts
    const QList<FileDialogRequest>& openRequests() const { return m_openRequests; }
    const QList<FileDialogRequest>& saveRequests() const { return m_saveRequests; }
    const QList<QColor>& colorRequests() const { return m_colorRequests; } // initial colours
    const QStringList& helpRequests() const { return m_helpRequests; }
    const QList<ListChoiceRequest>& listRequests() const { return m_listRequests; }
    const QList<ChangesRequest>& changesRequests() const { return m_changesRequests; }
    const QList<TextRequest>& textRequests() const { return m_textRequests; }
    // Unexpected requests, and answers left unused (filled by verifyAllAnswersUsed).
    const QStringList& errors() const { return m_errors; }

    QString lastMessage() const { return m_messages.isEmpty() ? QString() : m_messages.last(); }
    // True when every queued answer was used; otherwise records an error and fails the test.
    bool verifyAllAnswersUsed();
    // Forgets what was recorded and every queued answer.
    void clear() { *this = ScriptedDialogs(); }

    void message(const QString& text) override;
    bool question(const QString& text) override;
    SaveChoice askToSave(const QString& text) override;
    std::optional<QString> openFileName(const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    bool showHelp(const QString& helpFilePath) override;
    std::optional<int> chooseFromList(const ListChoiceRequest& request) override;
    bool confirmChanges(const ChangesRequest& request) override;
    std::optional<QString> askText(const TextRequest& request) override;

private:
    void unexpected(const QString& what);
    // The next queued answer, or fallback after failing the test when none was queued.
    template <class T> T next(std::deque<T>& answers, const QString& what, T fallback);

    std::deque<bool> m_questionAnswers;
    std::deque<SaveChoice> m_saveChoices;
    std::deque<std::optional<QString>> m_openAnswers;
    std::deque<std::optional<QString>> m_saveAnswers;
    std::deque<std::optional<QColor>> m_colorAnswers;
    std::deque<std::optional<QString>> m_listAnswers;
    std::deque<bool> m_changesAnswers;
    std::deque<std::optional<QString>> m_textAnswers;
    QList<TextRequest> m_textRequests;

    QStringList m_messages;
    QStringList m_questions;
    QStringList m_saveQuestions;
    QList<FileDialogRequest> m_openRequests;
    QList<FileDialogRequest> m_saveRequests;
    QList<QColor> m_colorRequests;
    QStringList m_helpRequests;
    QList<ListChoiceRequest> m_listRequests;
    QList<ChangesRequest> m_changesRequests;
    QStringList m_errors;
};

} // namespace cockpix
