// The rules of the main window that need no window: its title, the file given at start-up, the
// enabling and captions of the menu items and tool buttons, the design method's columns of the
// soil-layer table, and the visibility of the batch command. The desktop window applies them.
#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "program_data.h"
#include "result_plots.h"

namespace tolvane::app {

inline constexpr const char* kTitlePrefix = "TOLVANE 2023.9.02 - ";

// "TOLVANE 2023.9.02 - " and the project's file name without its folder; a ".tv9d" name loses
// everything from its first "."; a lower-case first letter is capitalized when the name has more
// than one character.
std::string mainWindowTitle(const std::string& fileName);
// The name the title shows, without the prefix.
std::string titleName(const std::string& fileName);

// The project file named on the command line: ".tv9d" is added to a name without a ".". Empty
// when none was given; the caller opens it only when it exists and is a project file.
std::string startupFile(const std::string& argument);
// True when the start-up file exists and has one of the three project extensions.
bool startupFileOpens(const std::string& file);

// The files whose existence decides the enabling.
struct ResultFiles {
  bool project = false;   // the project file itself (View Input Text)
  bool report = false;    // .tv9o
  bool runLog = false;    // .tv9r
  bool plotData = false;  // .tv9p
};
ResultFiles findResultFiles(const std::string& projectFile);

// Enabling of the result commands: the Graphics menu items and the tool buttons of the plots.
struct ResultCommands {
  bool viewInput = false;
  bool viewRunNotes = false;
  bool viewOutput = false;
  std::array<bool, kResultPlotCount> plotEnabled{};
  std::array<bool, kDesignChartPlots> chartVisible{};
  bool exportToExcel = false;
};
ResultCommands resultCommands(const TProgramData& data, const ResultFlags& flags,
                              const ResultPlots& plots, const ResultFiles& files);

// The caption of a Graphics menu item as the menu shows it when it opens (plot index 0-based).
std::string graphicsCaption(const TProgramData& data, int plotIndex);
// The caption of a Graphics menu item before the menu first opens.
std::string initialGraphicsCaption(int plotIndex);

// State of the Data menu items that depend on the project.
struct DataMenuState {
  bool englishUnits = true;
  bool lrfd = false;
  bool CFAPile = false;
  bool shaftLengthGiven = true;
  bool factorOfSafetyEnabled = false;
  bool multipleLengthsEnabled = false;
  bool multipleLengthsChecked = false;
  bool designChartsEnabled = false;
  bool designChartsChecked = false;
};
DataMenuState dataMenuState(const TProgramData& data);

// The comment texts of the soil-layer table for each design method.
std::string layerTableComment(int32_t nlrfd);
// Shows the resistance-factor columns of D for LRFD and hides them for ASD, and sets D's
// comment text.
void applyDesignMethod(ProjectGrids& grids, int32_t nlrfd);

// The batch command is offered when "batch.in" in the program's folder starts with the integer 1.
bool batchCommandVisible(const std::filesystem::path& programDir);

// The command line that opens a text file with the word processor: the processor, a blank and
// the file in double quotes. An empty processor means the desktop's default handler.
std::string wordProcessorCommand(const std::string& wordProcessor, const std::string& file);

}  // namespace tolvane::app
