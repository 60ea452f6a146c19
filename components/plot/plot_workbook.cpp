#include "plot_workbook.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "sheet_columns.h"

namespace tolvane::plot {

const char* const kLegendHeadings[5] = {
    "     N    ", "                             Plot Name                             ",
    "  Sheet Name  ", "  Chart Name  ", "          Status          "};

namespace {

// Rows and columns of the sheets, 1-based as the sheets show them.
constexpr int kHeadingRow = 2;
constexpr int kFirstLegendRow = 3;
constexpr int kNumberColumn = 2;  // B
constexpr int kCaptionRow = 1;
constexpr int kXAxisRow = 2;
constexpr int kYAxisRow = 3;
constexpr int kNameRow = 4;
constexpr int kXYRow = 5;
constexpr int kFirstDataRow = 6;
constexpr int kBackLinkColumn = 7;  // G
constexpr double kWidthPerCharacter = 1.0;
constexpr double kColumnPadding = 1.0;

lxw_row_t sheetRow(int row) {
  return static_cast<lxw_row_t>(row - 1);
}

lxw_col_t col(int column) {
  return static_cast<lxw_col_t>(column - 1);
}

// The value of a point as its shortest decimal text reads.
double cellValue(long double value) {
  return std::strtod(shortestText(value).c_str(), nullptr);
}

struct Workbook {
  lxw_workbook* book = nullptr;
  lxw_worksheet* Legend = nullptr;
  lxw_format* Heading = nullptr;
  bool addMarkers = true;
  bool more255 = false;
  std::vector<size_t> legendWidths = std::vector<size_t>(5, 0);
};

void writeLegendCell(Workbook& w, int row, int column, const std::string& text,
                     lxw_format* format = nullptr) {
  worksheet_write_string(w.Legend, sheetRow(row), col(column), text.c_str(), format);
  size_t& width = w.legendWidths[static_cast<size_t>(column - kNumberColumn)];
  width = std::max(width, text.size());
}

void writeDataSheet(lxw_worksheet* sheet, const TGraphPlot& plot) {
  worksheet_write_string(sheet, sheetRow(kCaptionRow), 0, plot.Caption.c_str(), nullptr);
  worksheet_write_string(sheet, sheetRow(kXAxisRow), 0, "X", nullptr);
  worksheet_write_string(sheet, sheetRow(kXAxisRow), 1, plot.xAxisCaption().c_str(), nullptr);
  worksheet_write_string(sheet, sheetRow(kYAxisRow), 0, "Y", nullptr);
  worksheet_write_string(sheet, sheetRow(kYAxisRow), 1, plot.yAxisCaption().c_str(), nullptr);
  worksheet_write_url_opt(sheet, sheetRow(1), col(kBackLinkColumn), "internal:Legend!A1", nullptr,
                          "Legend!A1", nullptr);
  for (int i = 1; i <= plot.LineCount(); ++i) {
    const TLine& line = plot.line(i - 1);
    const lxw_col_t x = col(2 * i - 1);
    const lxw_col_t y = col(2 * i);
    worksheet_write_string(sheet, sheetRow(kNameRow), x, line.LineName().c_str(), nullptr);
    worksheet_write_string(sheet, sheetRow(kXYRow), x, "X", nullptr);
    worksheet_write_string(sheet, sheetRow(kXYRow), y, "Y", nullptr);
    for (int j = 0; j < line.Count(); ++j) {
      const lxw_row_t row = sheetRow(kFirstDataRow + j);
      worksheet_write_number(sheet, row, x, cellValue(line.point(j).x), nullptr);
      worksheet_write_number(sheet, row, y, cellValue(line.point(j).y), nullptr);
    }
  }
}

int longestLine(const TGraphPlot& plot) {
  int longest = 0;
  for (int i = 0; i < plot.LineCount(); ++i) longest = std::max(longest, plot.line(i).Count());
  return longest;
}

void writeChart(Workbook& w, lxw_chartsheet* sheet, const std::string& dataSheet,
                const TGraphPlot& plot) {
  lxw_chart* chart = workbook_add_chart(w.book, LXW_CHART_SCATTER_STRAIGHT_WITH_MARKERS);
  const int series = std::min(plot.LineCount(), kMaxChartSeries);
  if (plot.LineCount() > kMaxChartSeries) w.more255 = true;
  const int lastRow = kFirstDataRow - 1 + std::max(longestLine(plot), 1);
  for (int i = 1; i <= series; ++i) {
    const std::string x =
        "=" + dataSheet + "!" + absoluteColumnRange(2 * i - 1, kFirstDataRow, lastRow);
    const std::string y =
        "=" + dataSheet + "!" + absoluteColumnRange(2 * i, kFirstDataRow, lastRow);
    lxw_chart_series* s = chart_add_series(chart, x.c_str(), y.c_str());
    chart_series_set_name(s, plot.line(i - 1).LineName().c_str());
    if (!w.addMarkers) chart_series_set_marker_type(s, LXW_CHART_MARKER_NONE);
  }
  chart_title_off(chart);
  chart_axis_set_name(chart->x_axis, plot.xAxisCaption().c_str());
  chart_axis_set_name(chart->y_axis, plot.yAxisCaption().c_str());
  chart_axis_major_gridlines_set_visible(chart->x_axis, LXW_TRUE);
  chart_axis_major_gridlines_set_visible(chart->y_axis, LXW_TRUE);
  // Depth increasing downwards, as the plot draws it.
  if (plot.XOnTop) chart_axis_set_reverse(chart->y_axis);
  chartsheet_set_chart(sheet, chart);
}

void writePlot(Workbook& w, const TGraphPlot& plot, int k) {
  const int row = k + kFirstLegendRow - 1;
  const std::string page = "Page_" + std::to_string(k);
  const std::string chart = "Plot_" + std::to_string(k);
  worksheet_write_number(w.Legend, sheetRow(row), col(kNumberColumn), k, nullptr);
  writeLegendCell(w, row, kNumberColumn + 1, plot.Caption);
  worksheet_write_url_opt(w.Legend, sheetRow(row), col(kNumberColumn + 2),
                          ("internal:" + page + "!A1").c_str(), nullptr, page.c_str(), nullptr);
  w.legendWidths[2] = std::max(w.legendWidths[2], page.size());
  writeLegendCell(w, row, kNumberColumn + 3, chart);
  writeDataSheet(workbook_add_worksheet(w.book, page.c_str()), plot);
  writeChart(w, workbook_add_chartsheet(w.book, chart.c_str()), page, plot);
  writeLegendCell(w, row, kNumberColumn + 4, "Complete");
}

void writeLegendHeadings(Workbook& w) {
  w.Heading = workbook_add_format(w.book);
  format_set_bold(w.Heading);
  format_set_align(w.Heading, LXW_ALIGN_VERTICAL_CENTER);
  for (int c = 0; c < 5; ++c) {
    writeLegendCell(w, kHeadingRow, kNumberColumn + c, kLegendHeadings[c], w.Heading);
  }
}

void fitLegendColumns(Workbook& w) {
  for (size_t c = 0; c < w.legendWidths.size(); ++c) {
    const double width =
        static_cast<double>(w.legendWidths[c]) * kWidthPerCharacter + kColumnPadding;
    const lxw_col_t column = col(kNumberColumn + static_cast<int>(c));
    worksheet_set_column(w.Legend, column, column, width, nullptr);
  }
}

}  // namespace

WorkbookResult writePlotWorkbook(const std::vector<const TGraphPlot*>& plots,
                                 const std::string& file, bool addMarkers) {
  WorkbookResult result;
  const std::string temporary = file + ".tmp";
  Workbook w;
  w.addMarkers = addMarkers;
  w.book = workbook_new(temporary.c_str());
  if (w.book == nullptr) {
    result.error = "The workbook " + file + " cannot be created.";
    return result;
  }
  w.Legend = workbook_add_worksheet(w.book, "Legend");
  writeLegendHeadings(w);
  int k = 0;
  for (const TGraphPlot* plot : plots) writePlot(w, *plot, ++k);
  fitLegendColumns(w);
  worksheet_activate(w.Legend);
  const lxw_error status = workbook_close(w.book);
  std::error_code ignored;
  if (status != LXW_NO_ERROR) {
    std::filesystem::remove(temporary, ignored);
    result.error = "The workbook " + file + " cannot be written: " + lxw_strerror(status);
    return result;
  }
  std::error_code renamed;
  std::filesystem::rename(temporary, file, renamed);
  if (renamed) {
    std::filesystem::remove(temporary, ignored);
    result.error = "The workbook " + file + " cannot be written: " + renamed.message();
    return result;
  }
  result.written = true;
  result.more255 = w.more255;
  return result;
}

std::string exportCompletedMessage(bool more255) {
  std::string text =
      "Export to Excel Completed\rPlease note that you need to save the excel file\r";
  if (more255) text += "Some plots show only 255 series because Excel limitation \rPlease check \r";
  return text;
}

}  // namespace tolvane::plot
