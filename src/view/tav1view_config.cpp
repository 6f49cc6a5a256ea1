#include "view/tav1view.h"

#include "config/inisettings.h"
#include "platform/lasterror.h"
#include "platform/profile.h"
#include "platform/ui.h"

#include <cstdlib>

namespace {

const std::string kIni = kIniFileName;

int readInt(const char* section, const char* key, int defaultValue)
{
    return static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, kIni));
}

} // namespace

bool CTAV1View::ReadIni()
{
    m_curveDialogs = readInt("Velmora", "Dialogs", 1);
    m_showMessageBox = readInt("Velmora", "MessageBox", 1);
    m_openDialog = readInt("TAV", "Dialogs", 1);
    m_useDefaults = readInt("TAV", "Default", 1);
    m_scannerRange = readInt("DefaultValues", "DosahScanerra", 10);
    m_startEndDlg.m_startX = readInt("DefaultValues", "StartPossitionX", 300);
    m_startEndDlg.m_startY = readInt("DefaultValues", "StartPossitionY", 300);
    m_startEndDlg.m_endX = readInt("DefaultValues", "EndPossitionX", 560);
    m_startEndDlg.m_endY = readInt("DefaultValues", "EndPossitionY", 500);
    g_minDistance = readInt("DefaultValues", "MinVzdialenost", 100);
    m_pCart->cartLength = readInt("Vozidlo", "Dlzka", 10);
    m_pCart->wheelTrack = readInt("Vozidlo", "Rozchod kolies", 10);

    if (GetPrivateProfileStringA("TAV", "Bitmapa", "mapa.bmp", m_mapFileName,
                                 kMapFileNameLimit + 1, kIni) == 0) {
        ShowError(GetLastError(), "GetPriovateProfileStringError Mapa");
    }
    std::string divisor;
    if (GetPrivateProfileStringA("DefaultValues", "df_Str", "0.1", divisor, 10, kIni) == 0) {
        ShowError(GetLastError(), "GetPriovateProfileStringError");
    }
    m_scanStepDivisor = static_cast<float>(std::atof(divisor.c_str()));
    return true;
}

void CTAV1View::OnWriteIni()
{
    struct Entry {
        const char* section;
        const char* key;
        const char* value;
    };
    static constexpr Entry kEntries[] = {
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
    int index = 0;
    for (const Entry& entry : kEntries) {
        const int written = WritePrivateProfileStringA(entry.section, entry.key, entry.value, kIni);
        if (written == 0 && index < kCheckedWrites) {
            ShowError(GetLastError(), "Error Write to ini file !");
        }
        ++index;
    }
}
