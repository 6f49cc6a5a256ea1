#include "batch/jsonwriter.h"

#include "platform/textformat.h"

#include <cmath>

void JsonWriter::separate()
{
    if (m_needComma) {
        m_text += ',';
    }
    m_needComma = false;
}

void JsonWriter::raw(const std::string& token)
{
    separate();
    m_text += token;
    m_needComma = true;
}

void JsonWriter::beginObject()
{
    separate();
    m_text += '{';
}

void JsonWriter::endObject()
{
    m_text += '}';
    m_needComma = true;
}

void JsonWriter::beginArray()
{
    separate();
    m_text += '[';
}

void JsonWriter::endArray()
{
    m_text += ']';
    m_needComma = true;
}

void JsonWriter::key(std::string_view name)
{
    value(name);
    m_text += ':';
    m_needComma = false;
}

void JsonWriter::value(std::int64_t number)
{
    raw(std::to_string(number));
}

void JsonWriter::value(bool flag)
{
    raw(flag ? "true" : "false");
}

void JsonWriter::value(float real)
{
    raw(std::isfinite(real) ? formatText("%.9g", static_cast<double>(real)) : std::string("null"));
}

void JsonWriter::value(double real)
{
    raw(std::isfinite(real) ? formatText("%.17g", real) : std::string("null"));
}

void JsonWriter::value(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (byte < 0x20) {
                quoted += formatText("\\u%04x", byte);
            } else {
                quoted += c;
            }
        }
    }
    quoted += '"';
    raw(quoted);
}
