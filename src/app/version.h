#pragma once

// The program's version as the About box and --version show it; the number is the project's
// version in the build.
inline constexpr char kVersionText[] = "TAV1 Version " TAV1_VERSION;
