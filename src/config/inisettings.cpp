#include "config/inisettings.h"

int g_minDistance = 0;
