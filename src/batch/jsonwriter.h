#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A small JSON writer with the number formats the dump promises: 32-bit reals with 9
// significant digits and 64-bit reals with 17, so both read back exactly. Non-finite reals,
// which JSON cannot hold, are written as null.
class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(std::string_view name);

    void value(std::int64_t number);
    void value(int number) { value(static_cast<std::int64_t>(number)); }
    void value(std::uint32_t number) { value(static_cast<std::int64_t>(number)); }
    void value(bool flag);
    void value(float real);
    void value(double real);
    void value(std::string_view text);
    void value(const char* text) { value(std::string_view(text)); }

    const std::string& text() const { return m_text; }

private:
    void separate();
    void raw(const std::string& token);

    std::string m_text;
    bool m_needComma = false;
};
