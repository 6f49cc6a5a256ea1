#include "batch/script.h"

#include <QRegularExpression>

std::vector<ScriptLine> parseScript(const QByteArray& text)
{
    static const QRegularExpression blanks(QStringLiteral("[ \\t\\r\\f\\v]+"));
    std::vector<ScriptLine> lines;
    const QList<QByteArray> rawLines = text.split('\n');
    for (qsizetype i = 0; i < rawLines.size(); ++i) {
        const QString line = QString::fromUtf8(rawLines.at(i)).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        QStringList words = line.split(blanks, Qt::SkipEmptyParts);
        ScriptLine parsed;
        parsed.number = static_cast<int>(i + 1);
        parsed.command = words.takeFirst();
        parsed.words = words;
        lines.push_back(parsed);
    }
    return lines;
}
