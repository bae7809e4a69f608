#pragma once

namespace tarvilon {

// The about box's blinking title: its text colour before the first tick, then dark blue and
// dark green in turn on every tick, for as long as the program runs.
struct AboutTitle {
    enum class Colour { Default, DarkBlue, DarkGreen };
    Colour colour = Colour::Default;

    void blink() { colour = colour == Colour::DarkBlue ? Colour::DarkGreen : Colour::DarkBlue; }

    friend bool operator==(const AboutTitle&, const AboutTitle&) = default;
};

}  // namespace tarvilon
