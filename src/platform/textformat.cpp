#include "platform/textformat.h"

#include <iomanip>
#include <locale>
#include <sstream>

std::string printfReal(double value, int precision, std::ios_base& (*style)(std::ios_base&))
{
    // The standard streams convert reals with the C library's printf conversions.
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << style << std::setprecision(precision) << value;
    return text.str();
}
