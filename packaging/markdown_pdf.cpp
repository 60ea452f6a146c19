// Build-time tool: turns a manual written in Markdown into a PDF file with Qt's own text layout,
// so that the manuals need no converter program.
//   markdown_pdf INPUT.md OUTPUT.pdf "Document title"
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>
#include <cstdio>

namespace {

constexpr int kResolution = 300;   // dots per inch of the PDF's layout
constexpr double kMarginMm = 0.0;  // the text layout adds page margins of 2 cm itself
constexpr double kBodyPointSize = 10.5;
constexpr double kMaxImageWidth = 600;  // layout units: the width of the text on an A4 page
constexpr double kCellPadding = 4;
constexpr double kTableBorder = 1;

// Loads the pictures that the text names, relative to its folder.
void AddImages(QTextDocument& document, const QString& markdown, const QString& folder) {
  static const QRegularExpression picture(R"(!\[[^\]]*\]\(([^)\s]+)\))");
  for (const QRegularExpressionMatch& match : picture.globalMatch(markdown)) {
    const QString name = match.captured(1);
    const QImage image(folder + "/" + name);
    if (image.isNull()) {
      std::fprintf(stderr, "markdown_pdf: no picture %s\n", qPrintable(name));
      continue;
    }
    document.addResource(QTextDocument::ImageResource, QUrl(name), image);
  }
}

// Pictures no wider than the page; tables with ruled, padded cells.
void FitLayout(QTextDocument& document) {
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
      const QTextCharFormat format = fragment.fragment().charFormat();
      if (!format.isImageFormat()) continue;
      QTextImageFormat image = format.toImageFormat();
      const QVariant resource = document.resource(QTextDocument::ImageResource, image.name());
      const QImage picture = resource.value<QImage>();
      if (picture.isNull() || picture.width() <= kMaxImageWidth) continue;
      image.setWidth(kMaxImageWidth);
      image.setHeight(kMaxImageWidth * picture.height() / picture.width());
      QTextCursor cursor(&document);
      cursor.setPosition(fragment.fragment().position());
      cursor.setPosition(fragment.fragment().position() + fragment.fragment().length(),
                         QTextCursor::KeepAnchor);
      cursor.setCharFormat(image);
    }
  }
  for (QTextFrame* frame : document.rootFrame()->childFrames()) {
    auto* table = qobject_cast<QTextTable*>(frame);
    if (table == nullptr) continue;
    QTextTableFormat format = table->format();
    format.setCellPadding(kCellPadding);
    format.setCellSpacing(0);
    format.setBorder(kTableBorder);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    table->setFormat(format);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // No display is needed to lay out text.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: markdown_pdf INPUT.md OUTPUT.pdf TITLE\n");
    return 64;
  }
  QFile input(QString::fromLocal8Bit(argv[1]));
  if (!input.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "markdown_pdf: cannot read %s\n", argv[1]);
    return 66;
  }
  QTextDocument document;
  QFont body("DejaVu Sans");
  body.setPointSizeF(kBodyPointSize);
  document.setDefaultFont(body);
  const QString markdown = QString::fromUtf8(input.readAll());
  document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
  // Pictures are named relative to the manual's folder (after the text: it clears them).
  AddImages(document, markdown, QFileInfo(input).absolutePath());
  FitLayout(document);

  const QString output = QString::fromLocal8Bit(argv[2]);
  QPdfWriter writer(output);
  writer.setResolution(kResolution);
  writer.setTitle(QString::fromLocal8Bit(argv[3]));
  writer.setCreator("TOLVANE 2023");
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                   QPageLayout::Millimeter));
  document.print(&writer);
  if (!QFileInfo(output).exists() || QFileInfo(output).size() == 0) {
    std::fprintf(stderr, "markdown_pdf: cannot write %s\n", argv[2]);
    return 73;
  }
  return 0;
}
