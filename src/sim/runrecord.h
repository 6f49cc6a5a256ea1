#pragma once

#include "sim/occupancymap.h"
#include "sim/scanner.h"

#include <QString>

#include <span>
#include <string>
#include <vector>

// A recording of the last animation run, step by step, with every hit of its sweeps: what a
// user takes out of the program into a spreadsheet or a script.
struct StepRecord {
    int step;
    int cartX;
    int cartY;
    double heading;
    int guideX;
    int guideY;
    float steering;
    int rays;
    int firstHit; // its hits are hits[firstHit .. the next step's firstHit)
    // The cart drawn at the guide point covered a wall pixel of the map.
    bool collision = false;
};

struct RunRecord {
    std::vector<StepRecord> steps;
    std::vector<ScanHit> hits;
    // Where the map the run drove on lies in the world, kept with the run: a map loaded later
    // does not move a run already made.
    std::optional<MapGeometry> geometry;
};

// The hits of the run's step at index `i` (its sweep's, in the order cast).
std::span<const ScanHit> stepHits(const RunRecord& run, std::size_t i);

// The file of hits written beside a run's CSV file: "run.csv" -> "run-hits.csv".
std::string hitsFileName(const std::string& runFile);

// Writes the run as CSV (RFC 4180: a header row, CRLF line ends, C-locale numbers) to `runFile`
// and its hits to hitsFileName(runFile), both or neither, each whole; names are bytes. A run on a
// map with a geometry adds the cart's position in metres; a last column says whether the step
// collided. Returns an empty text, or what went wrong, naming the file.
QString exportRun(const RunRecord& run, const std::string& runFile);
