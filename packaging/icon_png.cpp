// Build-time tool: renders the program's SVG icon into a PNG file of the given size, for the
// desktops that look for a bitmap icon.
//   icon_png INPUT.svg OUTPUT.png SIZE
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const int size = argc == 4 ? QString(argv[3]).toInt() : 0;
  if (size <= 0) {
    std::fprintf(stderr, "usage: icon_png INPUT.svg OUTPUT.png SIZE\n");
    return 64;
  }
  QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
  if (!renderer.isValid()) {
    std::fprintf(stderr, "icon_png: cannot read %s\n", argv[1]);
    return 66;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  return image.save(QString::fromLocal8Bit(argv[2])) ? 0 : 73;
}
