#pragma once

// Command ids of the menu, the accelerators and the toolbar.
namespace cmd {

// The program's own commands.
constexpr int ID_SIN_PI = 32772;
constexpr int ID_LINE = 32773;
constexpr int ID_SIN_2PI = 32775;
constexpr int ID_GOOOOO = 32776;
constexpr int ID_START_CIEL = 32778;
constexpr int ID_SCANNER = 32779;
constexpr int ID_LOAD_DATA = 32780;
constexpr int ID_SAVE_CIRCLE = 32781;
constexpr int ID_KRESLI = 32782;
constexpr int ID_CURVE_SETTINGS = 32783;
constexpr int ID_POMOCNE_MENU = 32784;
constexpr int ID_SETTINGS_VEHICLE = 32785;
constexpr int ID_WRITE_INI = 32786;
constexpr int ID_READ_INI = 32787;
constexpr int ID_ANIMUJ = 32789;
constexpr int ID_AMPLITUDA = 32790;
constexpr int ID_SETTINGS = 32791;
constexpr int ID_CLEAR_START_END = 32792;
constexpr int ID_ALGORITMUS = 32793;
// Display zoom, beside the program's own menus.
constexpr int ID_ZOOM_IN = 32800;
constexpr int ID_ZOOM_OUT = 32801;
constexpr int ID_ZOOM_ACTUAL_SIZE = 32802;
constexpr int ID_FIT_TO_WINDOW = 32803;
// A recording of the last run, beside the program's own file commands.
constexpr int ID_EXPORT_RUN = 32804;
// The scanner's plot beside the map.
constexpr int ID_VIEW_SCANNER = 32805;
// File › Import occupancy map…
constexpr int ID_IMPORT_OCCUPANCY_MAP = 32806;
// Trajectory › Load path… and Save path…
constexpr int ID_LOAD_PATH = 32807;
constexpr int ID_SAVE_PATH = 32808;
// Trajectory › Follow path: the cart steered along the stored path by its own controller.
constexpr int ID_FOLLOW_PATH = 32809;

// The framework's commands.
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_FILE_MRU_FILE1 = 57616;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int ID_VIEW_STATUS_BAR = 59393;

constexpr int kRecentFileCount = 4;

} // namespace cmd
