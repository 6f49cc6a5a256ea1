#pragma once

#include <QString>

#include <span>

// The batch runner's own commands, beside those of the command table: what a script does in
// place of a person's hand on the map, and what it reads back from the program.
enum class RunnerAction { DoubleClick, MouseMove, Snapshot, Screen, Dump };

struct RunnerCommand {
    RunnerAction action;
    const char* name;
    const char* words; // the words it takes, as the reference shows them
    const char* does;
};

std::span<const RunnerCommand> runnerCommands();
// The command a script names (letter case ignored), or nullptr.
const RunnerCommand* findRunnerCommand(const QString& name);
