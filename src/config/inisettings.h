#pragma once

// The configuration file every read and write addresses, relative to the working directory.
inline constexpr const char* kIniFileName = "./tav.ini";

// Minimum distance from the configuration file; held, consulted by nothing.
extern int g_minDistance;
