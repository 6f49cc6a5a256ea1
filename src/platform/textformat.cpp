#include "platform/textformat.h"

#include <cstdarg>
#include <cstdio>
#include <iomanip>
#include <locale>
#include <sstream>

std::string formatText(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<std::size_t>(length));
        std::vsnprintf(text.data(), text.size() + 1, format, args);
    }
    va_end(args);
    return text;
}

std::string printfReal(double value, int precision, std::ios_base& (*style)(std::ios_base&))
{
    // The standard streams convert reals with the C library's printf conversions.
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << style << std::setprecision(precision) << value;
    return text.str();
}
