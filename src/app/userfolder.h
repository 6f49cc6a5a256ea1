#pragma once

#include <QString>

// Where a start from the desktop entry works: a folder of the user's own under the XDG data
// home, so that "temp.txt" and "tav.ini" do not land in the home folder. The first such start
// creates it and copies the sample map and its tav.ini from `examples` into it; later starts
// leave what the user keeps there as it is. Returns what went wrong, or an empty text.
QString prepareUserFolder(const QString& folder, const QString& examples);

// $XDG_DATA_HOME/TAV1 (~/.local/share/TAV1 by default).
QString userFolderPath();
// The sample files of an installed program: <prefix>/share/tav1/example beside <prefix>/bin.
QString installedExamplesPath();
