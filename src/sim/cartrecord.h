#pragma once

// The cart: its geometry as the user set it and the heading of its last step.
struct CartRecord {
    int wheelTrack;
    int cartLength;
    double heading; // radians, clockwise on screen
};
