// The headless exports of the result plots: `--plots PROJECT --out DIR [--format png|svg|pdf|bmp]
// [--size WIDTHxHEIGHT]` writes every plot that the project's plot data fill as DIR/plot-NN.EXT;
// `--xlsx PROJECT --out FILE.xlsx [--select 1,9,12]` writes the workbook of the export window.
// Neither needs a display.
#pragma once

namespace tolvane::app {

// argv[1] is the mode's option; returns the program's exit status.
int runPlotExportMode(int argc, char** argv);
int runXlsxExportMode(int argc, char** argv);

}  // namespace tolvane::app
