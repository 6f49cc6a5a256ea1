#include "app/viewcommands.h"

#include "app/commandids.h"
#include "view/tav1view.h"

#include <QByteArray>

using namespace cmd;

namespace {

constexpr NamedCommand kNamed[] = {
    {"CurveSettings", ID_CURVE_SETTINGS}, {"SettingsVehicle", ID_SETTINGS_VEHICLE},
    {"Settings", ID_SETTINGS},            {"FileNew", ID_FILE_NEW},
    {"FileOpen", ID_FILE_OPEN},           {"FileSave", ID_FILE_SAVE},
    {"Sin2Pi", ID_SIN_2PI},               {"SinPi", ID_SIN_PI},
    {"Line", ID_LINE},                    {"Amplituda", ID_AMPLITUDA},
    {"Gooooo", ID_GOOOOO},                {"StartCiel", ID_START_CIEL},
    {"Scanner", ID_SCANNER},              {"LoadData", ID_LOAD_DATA},
    {"SaveCircle", ID_SAVE_CIRCLE},       {"Kresli", ID_KRESLI},
    {"Algoritmus", ID_ALGORITMUS},        {"PomocneMenu", ID_POMOCNE_MENU},
    {"WriteIni", ID_WRITE_INI},           {"ReadIni", ID_READ_INI},
    {"ClearStartEnd", ID_CLEAR_START_END}, {"Animuj", ID_ANIMUJ},
};

struct Route {
    int id;
    ViewHandler handler;
};

constexpr Route kRoutes[] = {
    {ID_POMOCNE_MENU, [](CTAV1View& view) { view.OnPomocneMenu(); }},
    {ID_WRITE_INI, [](CTAV1View& view) { view.OnWriteIni(); }},
    {ID_READ_INI, [](CTAV1View& view) { view.ReadIni(); }},
    {ID_CLEAR_START_END, [](CTAV1View& view) { view.OnClearStartEnd(); }},
    {ID_FILE_OPEN, [](CTAV1View& view) { view.OnFileOpen(); }},
    {ID_FILE_PRINT, [](CTAV1View& view) { view.OnFilePrint(); }},
    {ID_FILE_PRINT_PREVIEW, [](CTAV1View& view) { view.OnFilePrintPreview(); }},
    {ID_SETTINGS, [](CTAV1View& view) { view.OnSettings(); }},
    {ID_AMPLITUDA, [](CTAV1View& view) { view.OnAmplituda(); }},
    {ID_SETTINGS_VEHICLE, [](CTAV1View& view) { view.OnSettingsVehicle(); }},
    {ID_CURVE_SETTINGS, [](CTAV1View& view) { view.OnCurveSettings(); }},
    {ID_SIN_2PI, [](CTAV1View& view) { view.OnSin2Pi(); }},
    {ID_SIN_PI, [](CTAV1View& view) { view.OnSinPi(); }},
    {ID_LINE, [](CTAV1View& view) { view.OnLine(); }},
    {ID_GOOOOO, [](CTAV1View& view) { view.OnGooooo(); }},
    {ID_START_CIEL, [](CTAV1View& view) { view.OnStartCiel(); }},
    {ID_SCANNER, [](CTAV1View& view) { view.OnScanner(); }},
    {ID_FILE_SAVE, [](CTAV1View& view) { view.OnFileSave(); }},
    {ID_ANIMUJ, [](CTAV1View& view) { view.OnAnimuj(); }},
    {ID_SAVE_CIRCLE, [](CTAV1View& view) { view.OnSaveCircle(); }},
    {ID_LOAD_DATA, [](CTAV1View& view) { view.OnLoadData(); }},
    {ID_KRESLI, [](CTAV1View& view) { view.OnKresli(); }},
    {ID_ALGORITMUS, [](CTAV1View& view) { view.OnAlgoritmus(); }},
};

} // namespace

const NamedCommand* findNamedCommand(const char* name)
{
    for (const NamedCommand& command : kNamed) {
        if (qstricmp(command.name, name) == 0) {
            return &command;
        }
    }
    return nullptr;
}

ViewHandler viewHandler(int id)
{
    for (const Route& route : kRoutes) {
        if (route.id == id) {
            return route.handler;
        }
    }
    return nullptr;
}
