// Reads back a workbook written by the export: its members through the unzip program, its sheet
// names, the texts and numbers of cells, and the series ranges of its charts.
#pragma once

#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

class XlsxContents {
 public:
  explicit XlsxContents(const QString& file) : file_(file) {
    const QString strings = member("xl/sharedStrings.xml");
    const QRegularExpression si("<si>(.*?)</si>", QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpression t("<t[^>]*>(.*?)</t>", QRegularExpression::DotMatchesEverythingOption);
    for (auto it = si.globalMatch(strings); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      const QRegularExpressionMatch text = t.match(m.captured(1));
      strings_ << unescape(text.hasMatch() ? text.captured(1) : QString());
    }
  }

  QString member(const QString& name) const {
    QProcess unzip;
    unzip.start("unzip", {"-p", file_, name});
    unzip.waitForFinished();
    return QString::fromUtf8(unzip.readAllStandardOutput());
  }

  QStringList members() const {
    QProcess unzip;
    unzip.start("unzip", {"-Z1", file_});
    unzip.waitForFinished();
    return QString::fromUtf8(unzip.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  }

  QStringList sheetNames() const {
    QStringList names;
    const QRegularExpression sheet("<sheet name=\"([^\"]*)\"");
    for (auto it = sheet.globalMatch(member("xl/workbook.xml")); it.hasNext();) {
      names << unescape(it.next().captured(1));
    }
    return names;
  }

  // The text of a cell ("" when the cell is absent) of worksheet file n (sheet1.xml ...).
  QString cell(int worksheet, const QString& ref) const {
    const QString xml = member(QString("xl/worksheets/sheet%1.xml").arg(worksheet));
    const QRegularExpression cell("<c r=\"" + ref + "\"([^>]*)>(.*?)</c>");
    const QRegularExpressionMatch m = cell.match(xml);
    if (!m.hasMatch()) return {};
    const QRegularExpressionMatch v = QRegularExpression("<v>(.*?)</v>").match(m.captured(2));
    if (!v.hasMatch()) return {};
    if (m.captured(1).contains("t=\"s\"")) return strings_.value(v.captured(1).toInt());
    return v.captured(1);
  }

  // The locations of the internal links of worksheet n: cell -> "Sheet!A1".
  QMap<QString, QString> links(int worksheet) const {
    QMap<QString, QString> links;
    const QString xml = member(QString("xl/worksheets/sheet%1.xml").arg(worksheet));
    const QRegularExpression link("<hyperlink ref=\"([^\"]+)\" location=\"([^\"]+)\"");
    for (auto it = link.globalMatch(xml); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      links[m.captured(1)] = m.captured(2);
    }
    return links;
  }

  // Formulas of the series of chart n in order: x range, y range, x range, ...
  QStringList seriesRanges(int chart) const {
    QStringList ranges;
    const QRegularExpression f("<c:(?:xVal|yVal)><c:numRef><c:f>([^<]*)</c:f>");
    for (auto it = f.globalMatch(this->chart(chart)); it.hasNext();)
      ranges << it.next().captured(1);
    return ranges;
  }

  QString chart(int chart) const { return member(QString("xl/charts/chart%1.xml").arg(chart)); }

 private:
  static QString unescape(QString text) {
    return text.replace("&lt;", "<")
        .replace("&gt;", ">")
        .replace("&quot;", "\"")
        .replace("&amp;", "&");
  }

  QString file_;
  QStringList strings_;
};
