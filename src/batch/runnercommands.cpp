#include "batch/runnercommands.h"

namespace {

constexpr RunnerCommand kRunnerCommands[] = {
    {RunnerAction::DoubleClick, "DoubleClick", "X Y",
     "a double-click on canvas pixel X, Y: the first picks the start, the second the end, later ones "
     "nothing until ClearStartEnd"},
    {RunnerAction::MouseMove, "MouseMove", "X Y",
     "the pointer moves to canvas pixel X, Y: the status bar shows it with the curve settings"},
    {RunnerAction::Snapshot, "Snapshot", "PATH", "writes the whole canvas as a PNG picture"},
    {RunnerAction::Screen, "Screen", "PATH",
     "writes what the view shows (zoomed and scrolled), read back from the window system, as a PNG picture"},
    {RunnerAction::Dump, "Dump", "[PATH]",
     "writes the program's state as one line of JSON, to standard output or to PATH"},
};

} // namespace

std::span<const RunnerCommand> runnerCommands()
{
    return kRunnerCommands;
}

const RunnerCommand* findRunnerCommand(const QString& name)
{
    for (const RunnerCommand& command : kRunnerCommands) {
        if (name.compare(QLatin1String(command.name), Qt::CaseInsensitive) == 0) {
            return &command;
        }
    }
    return nullptr;
}
