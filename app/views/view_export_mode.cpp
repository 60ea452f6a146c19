#include "view_export_mode.h"

#include <QGuiApplication>
#include <QImage>
#include <QPalette>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "block_offscreen.h"
#include "main_form_rules.h"
#include "program_data.h"
#include "result_plots.h"
#include "run_pipeline.h"
#include "side_view_painter.h"
#include "user_messages.h"
#include "view_export_args.h"
#include "view_project.h"

namespace tolvane::app {

namespace {

QImage renderElevation(app::MainFormRules& form, const ViewExportRequest& request) {
  TProgramData& data = form.Data();
  const double length = applyDefaultShaftLength(data);
  return renderSideViewImage(readViewProject(data), length, {request.Width, request.Height}, false,
                             QGuiApplication::palette().color(QPalette::Window),
                             QGuiApplication::font());
}

OffscreenResult render3D(app::MainFormRules& form, const ViewExportRequest& request) {
  BlockSceneInput input;
  input.project = readViewProject(form.Data());
  input.extents = GetMaxDims(input.project);
  // The default flags, and the diagrams of the ultimate combined plot when results are loaded.
  input.flags.ShowUltimateEffects = form.flags.ShowOutput;
  input.combine = &form.plots()[app::kPltCombine];
  BlockCamera camera;
  camera.restart(input.extents);
  return renderBlockOffscreen(input, {request.Width, request.Height}, camera);
}

}  // namespace

int runViewExportMode(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  const std::optional<ViewExportRequest> request = parseViewExportArgs(args, error);
  if (!request) {
    std::cerr << "tolvane2023: " << error << "\nUsage:\n" << kViewExportUsage;
    return app::kExitUsage;
  }
  const int fileType = fileTypeIndexForPath(request->project);
  if (fileType == 0) {
    std::cerr << "The file " << request->project
              << " is not a project file (.tv9d, .tv8d or .tvd).\n";
    return app::kExitDataError;
  }
  std::error_code ignored;
  // Opening a project makes its folder current; the image goes where the caller meant.
  const std::filesystem::path out = std::filesystem::absolute(request->out, ignored);
  // No window is ever shown: without a chosen platform, draw offscreen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);

  app::ConsoleMessages messages;
  HeadlessHost host;
  app::MainFormRules form(messages, host, std::filesystem::path());
  const app::OpenResult opened = form.Open(request->project, fileType);
  if (!opened.opened) return app::kExitNoInput;
  if (!opened.formatError.empty()) return app::kExitDataError;

  QImage image;
  if (request->kind == ViewKind::kElevation) {
    image = renderElevation(form, *request);
  } else {
    const OffscreenResult rendered = render3D(form, *request);
    if (rendered.image.isNull()) {
      std::cerr << "The 3D view cannot be drawn here: no OpenGL context could be created ("
                << rendered.error << ").\n";
      return app::kExitUnavailable;
    }
    image = rendered.image;
  }
  if (!image.save(QString::fromStdString(out.string()))) {
    std::cerr << "The image " << out.string() << " could not be written.\n";
    return app::kExitCannotWrite;
  }
  std::cout << "Wrote " << out.string() << " (" << image.width() << " x " << image.height()
            << ")\n";
  return 0;
}

}  // namespace tolvane::app
