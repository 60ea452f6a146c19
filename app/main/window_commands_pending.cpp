// Stand-ins for the child windows that this build does not have yet: each command tells the
// user which window is missing. A window's own files replace its functions here once it exists.
#include <QMessageBox>
#include <QString>

#include "window_host.h"

namespace tolvane::app {
namespace {

void NotAvailable(TWindowHost& host, const QString& window) {
  QMessageBox::information(host.Frame(), "Information",
                           "The window \"" + window + "\" is not available in this build yet.");
}

}  // namespace

void ShowSideView(TWindowHost& host) {
  NotAvailable(host, "View Shaft Elevation");
}

void Show3DView(TWindowHost& host) {
  NotAvailable(host, "3D View");
}

// No 3D view can be open in this build.
void Close3DView(TWindowHost& /*host*/) {}

}  // namespace tolvane::app
