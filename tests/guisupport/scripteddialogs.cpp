#include "guisupport/scripteddialogs.h"

#include <QFileInfo>
#include <QTest>

namespace cockpix {

ScriptedDialogs::~ScriptedDialogs() = default;

void ScriptedDialogs::queueQuestionAnswer(bool yes) {
    m_questionAnswers.push_back(yes);
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

void ScriptedDialogs::unexpected(const QString& what) {
    m_errors.append(what);
    QTest::qFail(qPrintable("ScriptedDialogs: " + what), __FILE__, __LINE__);
}

bool ScriptedDialogs::verifyAllAnswersUsed() {
    QStringList left;
    if (!m_questionAnswers.empty())
        left << QString::number(m_questionAnswers.size()) + " question answer(s)";
    if (!m_openAnswers.empty())
        left << QString::number(m_openAnswers.size()) + " open dialog answer(s)";
    if (!m_saveAnswers.empty())
        left << QString::number(m_saveAnswers.size()) + " save dialog answer(s)";
    if (!m_colorAnswers.empty())
        left << QString::number(m_colorAnswers.size()) + " colour answer(s)";
    if (left.isEmpty())
        return true;
    unexpected("unused: " + left.join(", "));
    return false;
}

void ScriptedDialogs::clear() {
    m_questionAnswers.clear();
    m_openAnswers.clear();
    m_saveAnswers.clear();
    m_colorAnswers.clear();
    m_helpAnswer.reset();
    m_messages.clear();
    m_questions.clear();
    m_openRequests.clear();
    m_saveRequests.clear();
    m_colorRequests.clear();
    m_helpRequests.clear();
    m_errors.clear();
}

void ScriptedDialogs::message(const QString& text) {
    m_messages.append(text);
}

bool ScriptedDialogs::question(const QString& text) {
    m_questions.append(text);
    if (m_questionAnswers.empty()) {
        unexpected("unexpected question: " + text);
        return false;
    }
    const bool answer = m_questionAnswers.front();
    m_questionAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::openFileName(const FileDialogRequest& request) {
    m_openRequests.append(request);
    if (m_openAnswers.empty()) {
        unexpected("unexpected open dialog: " + request.caption);
        return std::nullopt;
    }
    auto answer = m_openAnswers.front();
    m_openAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::saveFileName(const FileDialogRequest& request) {
    m_saveRequests.append(request);
    if (m_saveAnswers.empty()) {
        unexpected("unexpected save dialog: " + request.caption);
        return std::nullopt;
    }
    auto answer = m_saveAnswers.front();
    m_saveAnswers.pop_front();
    return answer;
}

std::optional<QColor> ScriptedDialogs::chooseColor(const QColor& initial) {
    m_colorRequests.append(initial);
    if (m_colorAnswers.empty()) {
        unexpected("unexpected colour chooser");
        return std::nullopt;
    }
    auto answer = m_colorAnswers.front();
    m_colorAnswers.pop_front();
    return answer;
}

bool ScriptedDialogs::showHelp(const QString& helpFilePath) {
    m_helpRequests.append(helpFilePath);
    if (m_helpAnswer)
        return *m_helpAnswer;
    return QFileInfo(helpFilePath).isFile();
}

} // namespace cockpix
