#pragma once

#include <ios>
#include <string>

// A real as printf writes it in the C locale: `precision` digits after the point with
// std::fixed ("%.Nf"), `precision` significant digits with std::defaultfloat ("%.Ng"). Texts
// with reals need it: Qt formats exact ties and negative zero otherwise (0.125 to two places:
// printf "0.12", Qt "0.13"; -0.0: printf "-0.00", Qt "0.00").
std::string printfReal(double value, int precision, std::ios_base& (*style)(std::ios_base&));
