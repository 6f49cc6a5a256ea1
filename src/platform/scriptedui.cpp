#include "platform/scriptedui.h"

#include <QDir>
#include <QFileInfo>

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

std::optional<QString> ScriptedUi::fileDialog(const FileDialogRequest&)
{
    QString answer;
    if (!takeAnswer(answer) || answer.compare(QLatin1String("cancel"), Qt::CaseInsensitive) == 0) {
        return std::nullopt;
    }
    const QFileInfo chosen(QDir::current(), answer);
    QDir::setCurrent(chosen.absolutePath());
    return chosen.absoluteFilePath();
}

void ScriptedUi::setAnswers(const QStringList& answers)
{
    m_answers = answers;
}

bool ScriptedUi::takeAnswer(QString& answer)
{
    if (m_answers.isEmpty()) {
        m_missingAnswer = true;
        return false;
    }
    answer = m_answers.takeFirst();
    return true;
}
