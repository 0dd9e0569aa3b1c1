#include "guisupport/scripteddialogs.h"

#include <QFileInfo>
#include <QTest>

namespace cockpix {

ScriptedDialogs::~ScriptedDialogs() = default;

void ScriptedDialogs::queueQuestionAnswer(bool yes) {
    m_questionAnswers.push_back(yes);
}
void ScriptedDialogs::queueSaveChoice(SaveChoice choice) {
    m_saveChoices.push_back(choice);
}
void ScriptedDialogs::queueOpenFile(std::optional<QString> path) {
    m_openAnswers.push_back(std::move(path));
}
void ScriptedDialogs::queueSaveFile(std::optional<QString> path) {
    m_saveAnswers.push_back(std::move(path));
}
void ScriptedDialogs::queueColor(std::optional<QColor> color) {
    m_colorAnswers.push_back(color);
}

void ScriptedDialogs::queueListChoice(std::optional<QString> item) {
    m_listAnswers.push_back(std::move(item));
}

void ScriptedDialogs::queueChangesAnswer(bool save) {
    m_changesAnswers.push_back(save);
}

void ScriptedDialogs::queueText(std::optional<QString> text) {
    m_textAnswers.push_back(std::move(text));
}

void ScriptedDialogs::unexpected(const QString& what) {
    m_errors.append(what);
    QTest::qFail(qPrintable("ScriptedDialogs: " + what), __FILE__, __LINE__);
}

bool ScriptedDialogs::verifyAllAnswersUsed() {
    QStringList left;
    if (!m_questionAnswers.empty())
        left << QString::number(m_questionAnswers.size()) + " question answer(s)";
    if (!m_saveChoices.empty())
        left << QString::number(m_saveChoices.size()) + " save choice(s)";
    if (!m_openAnswers.empty())
        left << QString::number(m_openAnswers.size()) + " open dialog answer(s)";
    if (!m_saveAnswers.empty())
        left << QString::number(m_saveAnswers.size()) + " save dialog answer(s)";
    if (!m_colorAnswers.empty())
        left << QString::number(m_colorAnswers.size()) + " colour answer(s)";
    if (!m_listAnswers.empty())
        left << QString::number(m_listAnswers.size()) + " list choice(s)";
    if (!m_changesAnswers.empty())
        left << QString::number(m_changesAnswers.size()) + " comparison answer(s)";
    if (!m_textAnswers.empty())
        left << QString::number(m_textAnswers.size()) + " text answer(s)";
    if (left.isEmpty())
        return true;
    unexpected("unused: " + left.join(", "));
    return false;
}

void ScriptedDialogs::clear() {
    m_questionAnswers.clear();
    m_saveChoices.clear();
    m_openAnswers.clear();
    m_saveAnswers.clear();
    m_colorAnswers.clear();
    m_listAnswers.clear();
    m_changesAnswers.clear();
    m_textAnswers.clear();
    m_textRequests.clear();
    m_messages.clear();
    m_questions.clear();
    m_saveQuestions.clear();
    m_openRequests.clear();
    m_saveRequests.clear();
    m_colorRequests.clear();
    m_helpRequests.clear();
    m_listRequests.clear();
    m_changesRequests.clear();
    m_errors.clear();
}

void ScriptedDialogs::message(const QString& text) {
    m_messages.append(text);
}

template <class T>
T ScriptedDialogs::next(std::deque<T>& answers, const QString& what, T fallback) {
    if (answers.empty()) {
        unexpected("unexpected " + what);
        return fallback;
    }
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

bool ScriptedDialogs::question(const QString& text) {
    m_questions.append(text);
    return next(m_questionAnswers, "question: " + text, false);
}

SaveChoice ScriptedDialogs::askToSave(const QString& text) {
    m_saveQuestions.append(text);
    return next(m_saveChoices, "save question: " + text, SaveChoice::Cancel);
}

std::optional<QString> ScriptedDialogs::openFileName(const FileDialogRequest& request) {
    m_openRequests.append(request);
    return next(m_openAnswers, "open dialog: " + request.caption, std::optional<QString>());
}

std::optional<QString> ScriptedDialogs::saveFileName(const FileDialogRequest& request) {
    m_saveRequests.append(request);
    return next(m_saveAnswers, "save dialog: " + request.caption, std::optional<QString>());
}

std::optional<QColor> ScriptedDialogs::chooseColor(const QColor& initial) {
    m_colorRequests.append(initial);
    return next(m_colorAnswers, QStringLiteral("colour chooser"), std::optional<QColor>());
}

bool ScriptedDialogs::showHelp(const QString& helpFilePath) {
    m_helpRequests.append(helpFilePath);
    return QFileInfo(helpFilePath).isFile();
}

std::optional<int> ScriptedDialogs::chooseFromList(const ListChoiceRequest& request) {
    m_listRequests.append(request);
    const std::optional<QString> item =
        next(m_listAnswers, "list: " + request.caption, std::optional<QString>());
    if (!item)
        return std::nullopt;
    const int index = static_cast<int>(request.items.indexOf(*item));
    if (index < 0) {
        unexpected("'" + *item + "' is not in the list " + request.items.join(", "));
        return std::nullopt;
    }
    return index;
}

bool ScriptedDialogs::confirmChanges(const ChangesRequest& request) {
    m_changesRequests.append(request);
    return next(m_changesAnswers, "comparison: " + request.newLabel, false);
}

std::optional<QString> ScriptedDialogs::askText(const TextRequest& request) {
    m_textRequests.append(request);
    return next(m_textAnswers, "text: " + request.caption, std::optional<QString>());
}

} // namespace cockpix
