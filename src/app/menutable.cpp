#include "app/menutable.h"

#include "app/commandids.h"

using namespace cmd;

namespace {

constexpr const char* kFile = "&File";
constexpr const char* kEdit = "&Edit";
constexpr const char* kView = "&View";
constexpr const char* kTrajectory = "&Trajectory";
constexpr const char* kHelp = "&Help";
constexpr const char* kVelmora = "&Velmora";
constexpr const char* kIni = "&INI";

constexpr MenuRow kMenu[] = {
    {kFile, "&Settings Velmora", ID_CURVE_SETTINGS},
    {kFile, "Settings vehicle", ID_SETTINGS_VEHICLE},
    {kFile, "Settings", ID_SETTINGS},
    {kFile, "&New\tCtrl+N", ID_FILE_NEW},
    {kFile, "&Open...\tCtrl+O", ID_FILE_OPEN},
    {kFile, "&Save\tCtrl+S", ID_FILE_SAVE},
    {kFile, "Save &As...", ID_FILE_SAVE_AS},
    {kFile, nullptr, 0},
    {kFile, "&Print...\tCtrl+P", ID_FILE_PRINT},
    {kFile, "Print Pre&view", ID_FILE_PRINT_PREVIEW},
    {kFile, "P&rint Setup...", ID_FILE_PRINT_SETUP},
    {kFile, nullptr, 0},
    {kFile, "Recent File", ID_FILE_MRU_FILE1},
    {kFile, nullptr, 0},
    {kFile, "E&xit", ID_APP_EXIT},
    {kEdit, "&Undo\tCtrl+Z", ID_EDIT_UNDO},
    {kEdit, nullptr, 0},
    {kEdit, "Cu&t\tCtrl+X", ID_EDIT_CUT},
    {kEdit, "&Copy\tCtrl+C", ID_EDIT_COPY},
    {kEdit, "&Paste\tCtrl+V", ID_EDIT_PASTE},
    {kView, "&Toolbar", ID_VIEW_TOOLBAR},
    {kView, "&Status Bar", ID_VIEW_STATUS_BAR},
    {kTrajectory, "&Sin <0;2PI>", ID_SIN_2PI},
    {kTrajectory, "Sin <0;PI>", ID_SIN_PI},
    {kTrajectory, "LINE", ID_LINE},
    {kTrajectory, "&Amplituda", ID_AMPLITUDA},
    {nullptr, "&Gooooo", ID_GOOOOO},
    {nullptr, "&StartCiel", ID_START_CIEL},
    {kHelp, "&About TAV1...", ID_APP_ABOUT},
    {nullptr, "S&canner", ID_SCANNER},
    {kVelmora, "&LoadData", ID_LOAD_DATA},
    {kVelmora, "&SaveCircle", ID_SAVE_CIRCLE},
    {kVelmora, "&Kresli", ID_KRESLI},
    {kVelmora, "&Algoritmus prirastkovy", ID_ALGORITMUS},
    {nullptr, "Pomocne menu", ID_POMOCNE_MENU},
    {nullptr, "&WriteIni", ID_WRITE_INI},
    {kIni, "Ini file &Read", ID_READ_INI},
    {kIni, "&Clear 'StartEnd' point", ID_CLEAR_START_END},
    {nullptr, "Animuj", ID_ANIMUJ},
};

} // namespace

std::span<const MenuRow> menuTable()
{
    return kMenu;
}

const char* commandPrompt(int id)
{
    switch (id) {
    case ID_FILE_NEW:
        return "Create a new document";
    case ID_FILE_OPEN:
        return "Open an existing document";
    case ID_FILE_SAVE:
        return "Save the active document";
    case ID_FILE_SAVE_AS:
        return "Save the active document with a new name";
    case ID_FILE_PRINT_SETUP:
        return "Change the printer and printing options";
    case ID_FILE_PRINT:
        return "Print the active document";
    case ID_FILE_PRINT_PREVIEW:
        return "Display full pages";
    case ID_APP_EXIT:
        return "Quit the application; prompts to save documents";
    case ID_EDIT_UNDO:
        return "Undo the last action";
    case ID_EDIT_CUT:
        return "Cut the selection and put it on the Clipboard";
    case ID_EDIT_COPY:
        return "Copy the selection and put it on the Clipboard";
    case ID_EDIT_PASTE:
        return "Insert Clipboard contents";
    case ID_VIEW_TOOLBAR:
        return "Show or hide the toolbar";
    case ID_VIEW_STATUS_BAR:
        return "Show or hide the status bar";
    case ID_APP_ABOUT:
        return "Display program information, version number and copyright";
    default:
        if (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + 16) {
            return "Open this document";
        }
        return "";
    }
}
