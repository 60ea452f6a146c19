// The desktop program's entry, declared without the toolkit so that the program's main() can
// call it; the headless modes never come here.
#pragma once

namespace tolvane::app {

// Creates the application object and the main window, opens the project named on the command
// line, and runs until the window closes.
int runDesktop(int argc, char** argv);

}  // namespace tolvane::app
