#include "dialogs/dataexchange.h"

#include "platform/textformat.h"

#include <QRegularExpression>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// The number between optional blanks; [0-9] rather than \d, which would take any script's digits.
const QRegularExpression& integerPattern()
{
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("[ \\t]*([+-]?[0-9]+)[ \\t]*")));
    return pattern;
}

const QRegularExpression& realPattern()
{
    static const QRegularExpression pattern(QRegularExpression::anchoredPattern(
        QStringLiteral("[ \\t]*([+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?)[ \\t]*")));
    return pattern;
}

} // namespace

QString formatInt(int value)
{
    return QString::number(value);
}

QString formatFloat(float value)
{
    // main() sets LC_NUMERIC to "C", so the point is always a point.
    return QString::fromStdString(printfReal(static_cast<double>(value), 6, std::defaultfloat));
}

std::optional<int> parseInt(const QString& text)
{
    const QRegularExpressionMatch match = integerPattern().match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    bool fits = false;
    const int value = match.captured(1).toInt(&fits, 10);
    return fits ? std::optional<int>(value) : std::nullopt;
}

std::optional<std::int16_t> parseInt16(const QString& text)
{
    const std::optional<int> value = parseInt(text);
    if (!value || *value < std::numeric_limits<std::int16_t>::min()
        || *value > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(*value);
}

std::optional<float> parseFloat(const QString& text)
{
    const QRegularExpressionMatch match = realPattern().match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    // Read in double and rounded once to single, as the framework does; strtod reads the
    // point because main() sets LC_NUMERIC to "C".
    const double value = std::strtod(match.captured(1).toLatin1().constData(), nullptr);
    const float single = static_cast<float>(value);
    if (std::isinf(single)) {
        return std::nullopt;
    }
    return single;
}

QString integerMessage()
{
    return QStringLiteral("Please enter an integer.");
}

QString numberMessage()
{
    return QStringLiteral("Please enter a number.");
}

QString intRangeMessage(int minimum, int maximum)
{
    return QStringLiteral("Please enter an integer between %1 and %2.")
        .arg(formatInt(minimum), formatInt(maximum));
}

QString floatRangeMessage(float minimum, float maximum)
{
    return QStringLiteral("Please enter a number between %1 and %2.")
        .arg(formatFloat(minimum), formatFloat(maximum));
}
