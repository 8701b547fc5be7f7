#pragma once

namespace quarvel {

class TrkGlassButton;
class TrkVistaPanel;

// The main window's top bar as its design sets it: the bar's four colours and the glossy dark
// buttons on it. Tests and benchmarks paint the very look the window shows.
void ApplyTopBarLook(TrkVistaPanel& bar);
void ApplyTopBarLook(TrkGlassButton& button);

} // namespace quarvel
