#include "view/commandtable.h"

#include "dialogs/curvedlg.h"
#include "dialogs/dialogtemplate.h"
#include "dialogs/startenddlg.h"
#include "dialogs/systemdlg.h"
#include "dialogs/vehicledlg.h"
#include "view/tav1view.h"

#include <QByteArray>

using namespace cmd;

namespace {

constexpr const char* kFile = "&File";
constexpr const char* kEdit = "&Edit";
constexpr const char* kView = "&View";
constexpr const char* kTrajectory = "&Trajectory";
constexpr const char* kHelp = "&Help";
constexpr const char* kVelmora = "&Velmora";
constexpr const char* kIni = "&INI";

// A view member as a table handler (some handlers return a value nobody reads).
template <auto member>
void on(CTAV1View& view)
{
    (view.*member)();
}

// A parameter dialog's caption and field names, as its form binds them.
template <class Dialog>
DialogFields fieldsOf()
{
    Dialog dialog;
    const DialogForm form = dialog.form();
    DialogFields result{QString::fromUtf8(form.layout.caption), {}};
    for (const MemberBinding& member : form.members) {
        result.fields.append(member.field);
    }
    return result;
}

constexpr QKeyCombination kNone{};
constexpr Command kSeparator(const char* menu)
{
    return {menu, nullptr, 0, {kNone, kNone}, 0, "", nullptr, nullptr};
}

constexpr Command kCommands[] = {
    {kFile, "&Settings Velmora", ID_CURVE_SETTINGS, {}, 0, "", "CurveSettings", on<&CTAV1View::OnCurveSettings>,
     {fieldsOf<CCurveDlg>}},
    {kFile, "Settings vehicle", ID_SETTINGS_VEHICLE, {}, 0, "", "SettingsVehicle",
     on<&CTAV1View::OnSettingsVehicle>, {fieldsOf<CVehicleDlg>}},
    {kFile, "Settings", ID_SETTINGS, {}, 0, "", "Settings", on<&CTAV1View::OnSettings>, {fieldsOf<CSystemDlg>}},
    {kFile, "&New\tCtrl+N", ID_FILE_NEW, {Qt::CTRL | Qt::Key_N}, 1, "Create a new document", "FileNew", nullptr},
    {kFile, "&Open...\tCtrl+O", ID_FILE_OPEN, {Qt::CTRL | Qt::Key_O}, 2, "Open an existing document", "FileOpen",
     on<&CTAV1View::OnFileOpen>,
     {nullptr, "the map", "[TAV] Dialogs is not 0; otherwise the map that [TAV] Bitmapa names is loaded"}},
    {kFile, "Import occupancy map…", ID_IMPORT_OCCUPANCY_MAP, {}, 0,
     "Open a mapping tool's occupancy map: its YAML description, or a grey image", "ImportMap",
     on<&CTAV1View::OnImportOccupancyMap>, {nullptr, "the map's YAML description (.yaml), or a grey image"}},
    {kFile, "&Save\tCtrl+S", ID_FILE_SAVE, {Qt::CTRL | Qt::Key_S}, 3, "Save the active document", "FileSave",
     on<&CTAV1View::OnFileSave>,
     {nullptr, "the obstacle log to write", "[Velmora] Dialogs is not 0; otherwise it is prek.txt"}},
    {kFile, "Save &As...", ID_FILE_SAVE_AS, {}, 0, "Save the active document with a new name", nullptr, nullptr},
    {kFile, "Export run…", ID_EXPORT_RUN, {}, 0, "Write the last run's steps and hits as CSV files", "ExportRun",
     on<&CTAV1View::OnExportRun>, {nullptr, "the CSV file to write (its hits go beside it, NAME-hits.csv)"}},
    kSeparator(kFile),
    {kFile, "&Print...\tCtrl+P", ID_FILE_PRINT, {Qt::CTRL | Qt::Key_P}, 9, "Print the active document", nullptr,
     on<&CTAV1View::OnFilePrint>},
    {kFile, "Print Pre&view", ID_FILE_PRINT_PREVIEW, {}, 0, "Display full pages", nullptr,
     on<&CTAV1View::OnFilePrintPreview>},
    {kFile, "P&rint Setup...", ID_FILE_PRINT_SETUP, {}, 0, "Change the printer and printing options", nullptr, nullptr},
    kSeparator(kFile),
    {kFile, "Recent File", ID_FILE_MRU_FILE1, {}, 0, kRecentFilePrompt, nullptr, nullptr},
    kSeparator(kFile),
    {kFile, "E&xit", ID_APP_EXIT, {}, 0, "Quit the application; prompts to save documents", nullptr, nullptr},
    {kEdit, "&Undo\tCtrl+Z", ID_EDIT_UNDO, {Qt::CTRL | Qt::Key_Z, Qt::ALT | Qt::Key_Backspace}, 0,
     "Undo the last action", nullptr, nullptr},
    kSeparator(kEdit),
    {kEdit, "Cu&t\tCtrl+X", ID_EDIT_CUT, {Qt::CTRL | Qt::Key_X, Qt::SHIFT | Qt::Key_Delete}, 5,
     "Cut the selection and put it on the Clipboard", nullptr, nullptr},
    {kEdit, "&Copy\tCtrl+C", ID_EDIT_COPY, {Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_Insert}, 6,
     "Copy the selection and put it on the Clipboard", nullptr, nullptr},
    {kEdit, "&Paste\tCtrl+V", ID_EDIT_PASTE, {Qt::CTRL | Qt::Key_V, Qt::SHIFT | Qt::Key_Insert}, 7,
     "Insert Clipboard contents", nullptr, nullptr},
    {kView, "&Toolbar", ID_VIEW_TOOLBAR, {}, 0, "Show or hide the toolbar", nullptr, nullptr},
    {kView, "&Status Bar", ID_VIEW_STATUS_BAR, {}, 0, "Show or hide the status bar", nullptr, nullptr},
    {kView, "Scanner", ID_VIEW_SCANNER, {}, 0, "Show or hide the plot of the scanner's last sweep", nullptr, nullptr},
    kSeparator(kView),
    {kView, "Zoom &In\tCtrl++", ID_ZOOM_IN, {Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal}, 0,
     "Show the map larger", "ZoomIn", on<&CTAV1View::OnZoomIn>},
    {kView, "Zoom &Out\tCtrl+-", ID_ZOOM_OUT, {Qt::CTRL | Qt::Key_Minus}, 0, "Show the map smaller", "ZoomOut",
     on<&CTAV1View::OnZoomOut>},
    {kView, "&Actual Size\tCtrl+0", ID_ZOOM_ACTUAL_SIZE, {Qt::CTRL | Qt::Key_0}, 0,
     "Show the map one screen pixel a map pixel", "ZoomActualSize", on<&CTAV1View::OnZoomActualSize>},
    {kView, "Fit to window", ID_FIT_TO_WINDOW, {}, 0, "Show the whole map in the window", "FitToWindow",
     on<&CTAV1View::OnFitToWindow>},
    {kTrajectory, "&Sin <0;2PI>", ID_SIN_2PI, {}, 0, "", "Sin2Pi", on<&CTAV1View::OnSin2Pi>},
    {kTrajectory, "Sin <0;PI>", ID_SIN_PI, {}, 0, "", "SinPi", on<&CTAV1View::OnSinPi>},
    {kTrajectory, "LINE", ID_LINE, {}, 0, "", "Line", on<&CTAV1View::OnLine>},
    {kTrajectory, "&Amplituda", ID_AMPLITUDA, {}, 0, "", "Amplituda", on<&CTAV1View::OnAmplituda>,
     {fieldsOf<CSystemDlg>}},
    kSeparator(kTrajectory),
    {kTrajectory, "Load path…", ID_LOAD_PATH, {}, 0,
     "Read a path of x,y rows from a CSV file as the stored trajectory", "LoadPath", on<&CTAV1View::OnLoadPath>,
     {nullptr, "the path file to read (CSV, x,y rows)"}},
    {kTrajectory, "Save path…", ID_SAVE_PATH, {}, 0, "Write the stored trajectory as a CSV file of x,y rows",
     "SavePath", on<&CTAV1View::OnSavePath>, {nullptr, "the path file to write"}},
    {kTrajectory, "Follow path", ID_FOLLOW_PATH, {}, 0,
     "Drive the cart along the stored path with pure pursuit, its length the wheelbase, stopping before obstacles",
     "FollowPath", on<&CTAV1View::OnFollowPath>},
    {nullptr, "&Gooooo", ID_GOOOOO, {}, 0, "", "Gooooo", on<&CTAV1View::OnGooooo>},
    {nullptr, "&StartCiel", ID_START_CIEL, {}, 0, "", "StartCiel", on<&CTAV1View::OnStartCiel>,
     {fieldsOf<CStartEndDlg>, nullptr, "[TAV] Default is 0; otherwise the current start and end points are marked"}},
    {kHelp, "&About TAV1...", ID_APP_ABOUT, {}, 11, "Display program information, version number and copyright",
     nullptr, nullptr},
    {nullptr, "S&canner", ID_SCANNER, {}, 0, "", "Scanner", on<&CTAV1View::OnScanner>},
    {kVelmora, "&LoadData", ID_LOAD_DATA, {}, 0, "", "LoadData", on<&CTAV1View::OnLoadData>,
     {nullptr, "the point file to read", "[Velmora] Dialogs is not 0; otherwise it is aaa.dat"}},
    {kVelmora, "&SaveCircle", ID_SAVE_CIRCLE, {}, 0, "", "SaveCircle", on<&CTAV1View::OnSaveCircle>,
     {nullptr, "the point file to write", "[Velmora] Dialogs is not 0; otherwise it is aaa.dat"}},
    {kVelmora, "&Kresli", ID_KRESLI, {}, 0, "", "Kresli", on<&CTAV1View::OnKresli>},
    {kVelmora, "&Algoritmus prirastkovy", ID_ALGORITMUS, {}, 0, "", "Algoritmus",
     on<&CTAV1View::OnAlgoritmus>, {nullptr, "the sample file to integrate"}},
    {nullptr, "Pomocne menu", ID_POMOCNE_MENU, {}, 0, "", "PomocneMenu", on<&CTAV1View::OnPomocneMenu>},
    {nullptr, "&WriteIni", ID_WRITE_INI, {}, 0, "", "WriteIni", on<&CTAV1View::OnWriteIni>},
    {kIni, "Ini file &Read", ID_READ_INI, {}, 0, "", "ReadIni", on<&CTAV1View::ReadIni>},
    {kIni, "&Clear 'StartEnd' point", ID_CLEAR_START_END, {}, 0, "", "ClearStartEnd",
     on<&CTAV1View::OnClearStartEnd>},
    {nullptr, "Animuj", ID_ANIMUJ, {}, 0, "", "Animuj", on<&CTAV1View::OnAnimuj>},
};

} // namespace

std::span<const Command> commandTable()
{
    return kCommands;
}

const Command* findCommand(int id)
{
    for (const Command& command : kCommands) {
        if (command.label != nullptr && command.id == id) {
            return &command;
        }
    }
    return nullptr;
}

const Command* findBatchCommand(const char* name)
{
    for (const Command& command : kCommands) {
        if (command.batchName != nullptr && qstricmp(command.batchName, name) == 0) {
            return &command;
        }
    }
    return nullptr;
}
