#pragma once

#include <string>

// The configuration file "./tav.ini" in the working directory: what ReadIni takes from it and
// what OnWriteIni writes into it, through the private-profile functions (platform/profile.h).

// Minimum distance from the configuration file; held, consulted by nothing.
extern int g_minDistance;

// Where the values read go: the places their owner keeps them.
struct IniTargets {
    int* curveDialogs;
    int* showMessageBox;
    int* openDialog;
    int* useDefaults;
    int* scannerRange;
    int* startX;
    int* startY;
    int* endX;
    int* endY;
    int* cartLength;
    int* wheelTrack;
    std::string* mapFileName;
    float* scanStepDivisor;
    int* minDistance = &g_minDistance;
};

// Reads every value into its place; a missing file, section or key gives the value's default.
// "Bitmapa" is cut to 14 characters and "df_Str" to 9 before it is read as a real. A text
// value that comes back empty shows the error box "GetPriovateProfileStringError Mapa" or
// "GetPriovateProfileStringError".
void readIniFile(const IniTargets& targets);

// Writes the fixed set of values, sections and keys in order. A failure of one of the first
// six writes shows the error box "Error Write to ini file !"; later failures show nothing.
void writeIniFile();
