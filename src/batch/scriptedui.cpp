#include "batch/scriptedui.h"

#include <utility>

void ScriptedUi::messageBox(const QString& caption, const QString& text, Icon)
{
    m_messages.push_back({caption, text});
    if (m_echo != nullptr) {
        QString line = QStringLiteral("[%1] %2").arg(caption, text);
        line.replace(QLatin1Char('\n'), QLatin1String("\\n"));
        std::fprintf(m_echo, "%s\n", line.toUtf8().constData());
        std::fflush(m_echo);
    }
}

void ScriptedUi::commandFailed(const QString& caption, const QString& text)
{
    messageBox(caption, text, Icon::Error);
    if (m_scriptError.isEmpty()) {
        m_scriptError = QStringLiteral("%1: %2").arg(caption, text);
    }
}

namespace {

bool isCancel(const QByteArray& word)
{
    return word.compare("cancel", Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<std::string> ScriptedUi::fileDialog(const FileDialogRequest&)
{
    if (m_answers.isEmpty()) {
        if (m_scriptError.isEmpty()) {
            m_scriptError = QStringLiteral("a file dialog opened and no answer was given");
        }
        return std::nullopt;
    }
    const QByteArray answer = m_answers.takeFirst();
    if (isCancel(answer)) {
        return std::nullopt;
    }
    return takeChosenFile(answer.toStdString());
}

void ScriptedUi::setAnswers(const QByteArrayList& answers)
{
    m_answers = answers;
}

int ScriptedUi::runModal(ModalDialog& dialog)
{
    const QByteArrayList answers = std::exchange(m_answers, {});
    if (!answers.isEmpty() && isCancel(answers.first())) {
        return IDCANCEL;
    }
    for (const QByteArray& answer : answers) {
        const QString word = QString::fromUtf8(answer);
        const qsizetype equals = word.indexOf(QLatin1Char('='));
        if (equals <= 0 || !dialog.typeInto(word.left(equals), word.mid(equals + 1))) {
            if (m_scriptError.isEmpty()) {
                m_scriptError = QStringLiteral("the dialog has no field for \"%1\"").arg(word);
            }
            return IDCANCEL;
        }
    }
    return dialog.pressOk() ? IDOK : IDCANCEL;
}
