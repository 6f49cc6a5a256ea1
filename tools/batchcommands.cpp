// Prints the README's reference of batch commands in Markdown: every command of the command
// table a script can run, with the menu entry it stands for and what the words after it answer,
// then the batch runner's own commands. tools/readme_section.py keeps README.md equal to it.

#include "batch/runnercommands.h"
#include "view/commandtable.h"

#include <QString>
#include <QStringList>

#include <cstdio>

namespace {

// "&Open...\tCtrl+O" under "&File" as "File › Open... (Ctrl+O)".
QString menuEntry(const Command& command)
{
    QStringList parts = QString::fromUtf8(command.label).split(QLatin1Char('\t'));
    QString entry = parts.takeFirst().remove(QLatin1Char('&'));
    if (command.menu != nullptr) {
        entry = QString::fromUtf8(command.menu).remove(QLatin1Char('&')) + QStringLiteral(" › ") + entry;
    } else {
        entry += QStringLiteral(" (menu bar)");
    }
    if (!parts.isEmpty()) {
        entry += QStringLiteral(" (%1)").arg(parts.first());
    }
    return entry;
}

QString answers(const CommandDialog& dialog)
{
    QString text;
    if (dialog.parameters != nullptr) {
        const DialogFields form = dialog.parameters();
        text = QStringLiteral("\"%1\":").arg(form.caption);
        for (const QString& field : form.fields) {
            text += QStringLiteral(" `%1=`").arg(field);
        }
    } else if (dialog.file != nullptr) {
        text = QStringLiteral("%1: a path or `cancel`").arg(QString::fromUtf8(dialog.file));
    } else {
        return QStringLiteral("—");
    }
    if (dialog.when != nullptr) {
        text += QStringLiteral("; asked only when %1").arg(QString::fromUtf8(dialog.when));
    }
    return text;
}

} // namespace

int main()
{
    QString out = QStringLiteral("| Command | In the window | Words after it |\n|---|---|---|\n");
    for (const Command& command : commandTable()) {
        if (command.batchName != nullptr) {
            out += QStringLiteral("| `%1` | %2 | %3 |\n")
                       .arg(QString::fromUtf8(command.batchName), menuEntry(command), answers(command.dialog));
        }
    }
    out += QStringLiteral("\n| Command | What it does |\n|---|---|\n");
    for (const RunnerCommand& command : runnerCommands()) {
        out += QStringLiteral("| `%1 %2` | %3 |\n")
                   .arg(QString::fromUtf8(command.name), QString::fromUtf8(command.words),
                       QString::fromUtf8(command.does));
    }
    const QByteArray bytes = out.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    return 0;
}
