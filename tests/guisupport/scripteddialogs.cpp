#include "guisupport/scripteddialogs.h"

#include <QFileInfo>
#include <QTest>

namespace cockpix {

ScriptedDialogs::~ScriptedDialogs() = default;

void ScriptedDialogs::unexpected(const QString& what) {
    m_errors.append(what);
    QTest::qFail(qPrintable("ScriptedDialogs: " + what), __FILE__, __LINE__);
}

bool ScriptedDialogs::verifyAllAnswersUsed() {
    QStringList left;
    const auto count = [&left](std::size_t unused, const char* what) {
        if (unused > 0)
            left << QString::number(unused) + " " + what;
    };
    count(m_questionAnswers.size(), "question answer(s)");
    count(m_saveChoices.size(), "save choice(s)");
    count(m_openAnswers.size(), "open dialog answer(s)");
    count(m_saveAnswers.size(), "save dialog answer(s)");
    count(m_colorAnswers.size(), "colour answer(s)");
    count(m_listAnswers.size(), "list choice(s)");
    count(m_changesAnswers.size(), "comparison answer(s)");
    count(m_textAnswers.size(), "text answer(s)");
    if (left.isEmpty())
        return true;
    unexpected("unused: " + left.join(", "));
    return false;
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
