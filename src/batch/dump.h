#pragma once

#include <string>

class CTAV1View;
class QString;
class ScriptedUi;

// The program's state as one JSON object: the view's members by name, the dialog objects, the
// scanner and obstacle records, the point, trajectory and integration data, the status text,
// the working directory and every box shown so far.
std::string dumpState(const CTAV1View& view, const QString& status, const ScriptedUi& ui);
