#include "config/inisettings.h"

#include "platform/lasterror.h"
#include "platform/profile.h"
#include "platform/ui.h"

#include <cstdint>
#include <cstdlib>

int g_minDistance = 0;

namespace {

const std::string kIni = "./tav.ini";

struct IntKey {
    const char* section;
    const char* key;
    int defaultValue;
    int* IniTargets::*target;
};

constexpr IntKey kIntKeys[] = {
    {"Velmora", "Dialogs", 1, &IniTargets::curveDialogs},
    {"Velmora", "MessageBox", 1, &IniTargets::showMessageBox},
    {"TAV", "Dialogs", 1, &IniTargets::openDialog},
    {"TAV", "Default", 1, &IniTargets::useDefaults},
    {"DefaultValues", "DosahScanerra", 10, &IniTargets::scannerRange},
    {"DefaultValues", "StartPossitionX", 300, &IniTargets::startX},
    {"DefaultValues", "StartPossitionY", 300, &IniTargets::startY},
    {"DefaultValues", "EndPossitionX", 560, &IniTargets::endX},
    {"DefaultValues", "EndPossitionY", 500, &IniTargets::endY},
    {"DefaultValues", "MinVzdialenost", 100, &IniTargets::minDistance},
    {"Vozidlo", "Dlzka", 10, &IniTargets::cartLength},
    {"Vozidlo", "Rozchod kolies", 10, &IniTargets::wheelTrack},
};

struct Written {
    const char* section;
    const char* key;
    const char* value;
};

// Some keys are written and never read, and most values written differ from the defaults read.
constexpr Written kWritten[] = {
    {"Velmora", "Dialogs", "0"},
    {"Velmora", "MessageBox", "0"},
    {"TAV", "Dialogs", "0"},
    {"TAV", "Default", "1"},
    {"TAV", "Bitmapa", "mapa.bmp"},
    {"DefaultValues", "DosahScanerra", "150"},
    {"DefaultValues", "StartPossitionX", "300"},
    {"DefaultValues", "StartPossitionY", "300"},
    {"DefaultValues", "EndPossitionX", "600"},
    {"DefaultValues", "EndPossitionY", "600"},
    {"DefaultValues", "Vozik", "1"},
    {"DefaultValues", "MinVzdialenost", "10"},
    {"DefaultValues", "df_Str", "10"},
    {"Vozidlo", "Dlzka", "20"},
    {"Vozidlo", "Rozchod kolies", "2"},
    {"Vozidlo", "Uhol natocenia", "0"},
};

// Only the first six writes are checked, each with its own box.
constexpr int kCheckedWrites = 6;
// Transfer sizes of the two text values, the terminating zero included.
constexpr std::uint32_t kMapFileNameSize = 15;
constexpr std::uint32_t kDivisorSize = 10;

// The value cut to size - 1 characters; an empty one shows the error box with `caption`.
std::string readText(const char* section, const char* key, const char* defaultText, std::uint32_t size,
                     const char* caption)
{
    std::string text;
    if (GetPrivateProfileStringA(section, key, defaultText, text, size, kIni) == 0) {
        ShowError(GetLastError(), caption);
    }
    return text;
}

} // namespace

void readIniFile(const IniTargets& targets)
{
    for (const IntKey& entry : kIntKeys) {
        *(targets.*entry.target) =
            static_cast<int>(GetPrivateProfileIntA(entry.section, entry.key, entry.defaultValue, kIni));
    }
    *targets.mapFileName = readText("TAV", "Bitmapa", "mapa.bmp", kMapFileNameSize, "GetPriovateProfileStringError Mapa");
    const std::string divisor = readText("DefaultValues", "df_Str", "0.1", kDivisorSize, "GetPriovateProfileStringError");
    *targets.scanStepDivisor = static_cast<float>(std::atof(divisor.c_str()));
}

void writeIniFile()
{
    int index = 0;
    for (const Written& entry : kWritten) {
        const int written = WritePrivateProfileStringA(entry.section, entry.key, entry.value, kIni);
        if (written == 0 && index < kCheckedWrites) {
            ShowCommandError(GetLastError(), "Error Write to ini file !");
        }
        ++index;
    }
}
