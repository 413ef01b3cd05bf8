// The translator inside the setup window: its message boxes are the window's own,
// its progress lines go to the window's log, the compiler-directory question is the
// directory window, and the make command of a library build goes to the window's
// background runner.
#pragma once

namespace setup {

// Connects the translator to TForm1::owner(); disconnect restores the console.
void connect_translator();
void disconnect_translator();

}  // namespace setup
