#include "plot_export_mode.h"

#include <QGuiApplication>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "export_arguments.h"
#include "main_form_rules.h"
#include "plot_availability.h"
#include "plot_export_project.h"
#include "plot_files.h"
#include "plot_painter.h"
#include "run_pipeline.h"

namespace tolvane::app {
namespace {

int exportPlots(MainFormRules& form, const PlotExportArguments& args, UserMessages& messages) {
  std::error_code status;
  std::filesystem::create_directories(args.outDir, status);
  if (!std::filesystem::is_directory(args.outDir, status)) {
    messages.error("The folder " + args.outDir + " cannot be created.");
    return kExitCannotWrite;
  }
  const std::optional<plot::PictureFormat> format = plot::pictureFormatFromName(args.format);
  const plot::PictureSize size{args.Width, args.Height, plot::kScreenPixelsPerInch};
  int written = 0;
  bool failed = false;
  for (int p = 0; p < kResultPlotCount; ++p) {
    if (!resultPlotAvailable(form, p)) continue;
    plot::TGraphPlot& plot = form.plots()[p];
    if (args.ShowLayers) plot.ShowLayers = *args.ShowLayers && plot.LayerLineCount() > 0;
    const std::optional<plot::TFloatRect> bounds = plot.autoBounds();
    if (!bounds) continue;
    const std::filesystem::path file =
        std::filesystem::path(args.outDir) / plotFileName(p, args.format);
    if (!plot::savePlotPicture(plot, *bounds, QString::fromStdString(file.string()), *format,
                               size)) {
      messages.error("The picture " + file.string() + " cannot be written.");
      failed = true;
      continue;
    }
    ++written;
    std::cout << file.string() << "  " << plot.Caption << '\n';
  }
  if (failed) return kExitCannotWrite;
  if (written == 0) {
    messages.error("The project " + args.project + " has no plot that can be drawn.");
    return kExitNoInput;
  }
  return 0;
}

}  // namespace

int runPlotExportMode(int argc, char** argv) {
  ConsoleMessages messages;
  std::string error;
  const std::optional<PlotExportArguments> args =
      parsePlotExportArguments(argumentsAfterProgram(argc, argv), error);
  if (!args) {
    messages.error(error);
    return kExitUsage;
  }
  ExportProject project(messages);
  const int opened = project.Open(args->project);
  if (opened != 0) return opened;
  startOffscreenGui(argc, argv);
  int guiArgc = 1;
  QGuiApplication app(guiArgc, argv);
  return exportPlots(project.form(), *args, messages);
}

}  // namespace tolvane::app
