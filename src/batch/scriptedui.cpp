#include "batch/scriptedui.h"

#include <utility>

QByteArray echoLine(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    text.replace(QChar(0), QLatin1String("\\0"));
    return text.toUtf8() + '\n';
}

void ScriptedUi::messageBox(const QString& caption, const QString& text, Icon)
{
    m_messages.push_back({caption, text});
    if (m_echo != nullptr) {
        const QByteArray line = echoLine(QStringLiteral("[%1] %2").arg(caption, text));
        std::fwrite(line.constData(), 1, std::size_t(line.size()), m_echo);
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
    // A file dialog gives one file: a name that ends in a slash is a folder's, and a word more is
    // most likely the rest of a name with a blank, which a script cannot give.
    const QString refusal = answer.endsWith('/')
                                ? QStringLiteral("\"%1\" names a folder, not a file").arg(QString::fromUtf8(answer))
                            : m_answers.isEmpty()
                                ? QString()
                                : QStringLiteral("a file dialog takes one word, not also \"%1\"")
                                      .arg(QString::fromUtf8(m_answers.join(' ')));
    if (!refusal.isEmpty()) {
        if (m_scriptError.isEmpty()) {
            m_scriptError = refusal;
        }
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
