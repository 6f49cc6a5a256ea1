#include "dialogs/systemdlg.h"

CSystemDlg g_systemDlg;
