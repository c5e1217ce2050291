#pragma once

// How a control is placed in its parent.
enum class TAlign {
    alNone,   // keeps its own bounds
    alClient, // fills the parent's client area and follows its size
    alCustom, // keeps its bounds; the parent never moves it
};
