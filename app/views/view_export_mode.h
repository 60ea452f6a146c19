// The headless render of a view: `tolvane2023 --view elevation|3d PROJECT --out FILE.png
// [--size WIDTHxHEIGHT]` opens the project (and its plot data, when there is any), draws the
// elevation view or the 3D view with its default camera into an image and saves it. It needs no
// display; the exit code is 0 on success.
#pragma once

namespace tolvane::app {

int runViewExportMode(int argc, char** argv);

}  // namespace tolvane::app
