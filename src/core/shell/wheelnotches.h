// KIVO Log Viewer
#pragma once

namespace kivo {

// Turns a mouse wheel's angle deltas into whole notches. High-resolution wheels report parts of
// a notch; the parts are kept until they make a whole one, so that slow turning still scrolls.
class WheelNotches {
public:
    // Adds one event's vertical angle delta (eighths of a degree) and returns the whole notches
    // now complete: positive away from the user, negative towards.
    int add(int angleDelta);

private:
    int m_remainder = 0;
};

} // namespace kivo
