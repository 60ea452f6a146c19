#include "plot_data_reader.h"

#include <algorithm>
#include <array>
#include <limits>

#include "word_reader.h"

namespace tolvane::app {
namespace {

using plot::TGraphPlot;

constexpr int kSettlementRows = 15;                     // load-settlement points of one curve line
constexpr int kSettlementPoints = kSettlementRows + 1;  // with the origin
constexpr int kLoadDistributionCurves = 15;
constexpr int kCombinedLines = 3;
constexpr int kTZPairs = 10;         // points of a t-z or Q-w curve
constexpr int kFixedRows = 2;        // the two fixed rows before the depth rows of a curve
constexpr int kBoundsLineCount = 2;  // a larger ID2 means upper and lower bounds follow
constexpr long double kSmallestTip = 0.0001L;
constexpr long double kTipShownForZero = 0.00001L;
constexpr long double kEnglishDiameterStep = 0.5L;   // ft
constexpr long double kSIDiameterStep = 0.1524L;     // m
constexpr long double kSIChartDiameterStep = 0.15L;  // m, the design charts' default
constexpr long double kSeriesTolerance = 0.001L;     // steps of a length series
constexpr long double kEnglishLengthStep = 3;        // ft, the default length increment
constexpr long double kSILengthStep = 1;             // m
constexpr long double kChartShortestShare = 0.3L;    // of the given length, by default
constexpr long double kLengthsShortestShare = 0.7L;  // of the given length, by default
constexpr long double kShortestInDiameters = 6;      // the shortest shaft, in diameters
constexpr long double kInchesPerFoot = 12;
constexpr long double kPoundsPerTon = 2000;
constexpr long double kInchesPerMetre = 39.37L;
constexpr long double kPoundsPerKilonewton = 224.82014388489208633L;
constexpr int kWordsPerDepthRow = 7;
constexpr int kWordsPerLoadRow = 3;  // depth, load and an ignored value

// The six depth plots of one curve, in the order of a depth row.
constexpr std::array<int, 6> kDepthPlots = {kPltSkin,   kPltTip,   kPltTotal,
                                            kFSpltSkin, kFSpltTip, kFSpltTotal};
constexpr std::array<int, 9> kCasePlots = {kPltSkin,    kPltTip,   kPltTotal, kFSpltSkin, kFSpltTip,
                                           kFSpltTotal, kPltAxial, kPltUpper, kPltLower};
constexpr std::array<int, 9> kBandPlots = {kFSpltSkin, kFSpltTip,   kFSpltTotal,  kPltSkin, kPltTip,
                                           kPltTotal,  kPltCombine, kPltCombineD, kPltLoad};

struct SoilBand {
  const char* Name;
  int pattern;
};
// By soil type 1 to 11.
constexpr std::array<SoilBand, 11> kSoilBands = {{{" SAND ", 7},
                                                  {" CLAY ", 1},
                                                  {" SHALE ", 8},
                                                  {" ROCK ", 9},
                                                  {" WEAK ROCK ", 10},
                                                  {" GW ", 12},
                                                  {" ROCK ", 9},
                                                  {" GW ", 11},
                                                  {" GRAVEL ", 12},
                                                  {" SAND ", 7},
                                                  {" CLAY ", 1}}};

[[noreturn]] void failCount(const TWordReader& reader) {
  throw ProjectFormatError("Error on Line " + std::to_string(reader.currentLine() + 1) + " Item " +
                           std::to_string(reader.lastItem()) +
                           "\rA count beyond the limits of the program was found.");
}

int readCount(TWordReader& reader, int lowest, int highest) {
  const int32_t value = reader.readInteger();
  if (value < lowest || value > highest) failCount(reader);
  return value;
}

std::string unitLabel(const TProgramData& data) {
  return data.isSI() ? " m" : " ft";
}

long double verticalOf(const TProgramData& data, long double depth) {
  return data.UseElevation == 1 ? data.ValElevation - depth : depth;
}

// Skips what is left of the current line; true when no word follows in the file.
bool skipRestAndCheckEnd(TWordReader& reader) {
  while (reader.currentLine() >= 0 && reader.lastItem() < reader.wordCount()) reader.readWord();
  for (int line = reader.currentLine() + 1; line < reader.LineCount(); ++line) {
    if (reader.wordCount(line) > 0) return false;
  }
  return true;
}

// Words of the lines after the current one.
long long wordsAfterCurrentLine(const TWordReader& reader) {
  long long words = 0;
  for (int line = reader.currentLine() + 1; line < reader.LineCount(); ++line) {
    words += reader.wordCount(line);
  }
  return words;
}

int totalWords(const TWordReader& reader) {
  long long words = 0;
  for (int line = 0; line < reader.LineCount(); ++line) words += reader.wordCount(line);
  return static_cast<int>(std::min<long long>(words, std::numeric_limits<int>::max()));
}

class PlotDataReader {
 public:
  PlotDataReader(ResultPlots& plots, TProgramData& data, ResultFlags& flags, TWordReader& reader)
      : plots_(plots), data_(data), flags_(flags), reader_(reader), words_(totalWords(reader)) {}

  void readAll();

 private:
  TGraphPlot& plotAt(int index) { return plots_[index]; }
  // Rows of one curve: within the program's limit, the numbers of the file and, with all
  // curves as long, the points the program holds.
  int maxDepthRows() const {
    return std::min({kMaxPlotDepthRows, words_ / kWordsPerDepthRow,
                     static_cast<int>(kMaxPlotPoints / std::max(nc_, 1))});
  }
  void prepareCaptions();
  void readHeader();
  void readCurve(int curve, int rows);
  void readDepthRow(int curve, int point);
  void growDepthPlots(int count, int curvesDone);
  void readSettlement(int plot, int curve);
  void readDesignCharts();
  void nameCaseLegends();
  void copyFirstCurves();
  void readTzSection(int plot);
  void readQwSection();
  void readLoadDistribution();

  ResultPlots& plots_;
  TProgramData& data_;
  ResultFlags& flags_;
  TWordReader& reader_;
  // Counts are also limited by what the file can hold, so that a garbled header cannot ask for
  // more points than the file has numbers.
  int words_ = 0;
  int nc_ = 0;
  int np_ = 0;
};

void PlotDataReader::prepareCaptions() {
  const bool elevation = data_.UseElevation == 1;
  for (int p = kPltSkin; p <= kPltCombineD; ++p) {
    plotAt(p).YCaption = elevation ? "Elevation" : "Depth";
    plotAt(p).Yreversed = elevation;
  }
  plotAt(kPltSkin).ShowFontWidth = true;
  plotAt(kPltCombine).ShowFontWidth = true;
  const bool lrfd = data_.isLrfd();
  plotAt(kFSpltSkin).XCaption = lrfd ? "LRFD Side Resistance " : "Side Resistance/F.S. ";
  plotAt(kFSpltTip).XCaption = lrfd ? "LRFD Tip Resistance " : "Tip Resistance/F.S. ";
  plotAt(kFSpltTotal).XCaption = lrfd ? "LRFD Total Resistance " : "Total Resistance/F.S. ";
  plotAt(kPltCombineD).XCaption = lrfd ? "LRFD Resistance " : "Resistance/F.S. ";
  const bool uplift = data_.KCYCL > kCompression;
  if (uplift) plotAt(kFSpltTip).XCaption = "Self-Weight";
  for (const int p : {kPltCombine, kPltCombineD}) {
    plotAt(p).SetLineCount(kCombinedLines);
    plotAt(p).line(0).setLineName("  Skin Friction");
    plotAt(p).line(1).setLineName(uplift ? "  Self-Weight" : "  Tip Resistance");
    plotAt(p).line(2).setLineName("  Total Capacity");
  }
  plotAt(kPltCombinedSettle).SetLineCount(kCombinedLines);
  plotAt(kPltCombinedSettle).line(0).setLineName("  Trend (Averaged)");
  plotAt(kPltCombinedSettle).line(1).setLineName("  Upper Bound");
  plotAt(kPltCombinedSettle).line(2).setLineName("  Lower Bound");
  plotAt(kPltLoad).SetLineCount(kLoadDistributionCurves);
}

void PlotDataReader::readHeader() {
  nc_ = readCount(reader_, 1, kMaxPlotCurves);
  for (const int p : kCasePlots) plotAt(p).SetLineCount(nc_);
  prepareCaptions();
  np_ = readCount(reader_, kFixedRows, maxDepthRows());
  for (const int p : kDepthPlots) plotAt(p).SetCount(np_);
  plotAt(kPltCombine).SetCount(np_);
  plotAt(kPltCombineD).SetCount(np_);
  for (int p = kPltAxial; p <= kPltCombinedSettle; ++p) plotAt(p).SetCount(kSettlementPoints);
  plotAt(kPltLoad).SetCount(np_ - kFixedRows);
  data_.ID2 = reader_.readInteger();
  for (int p = kPltSkin; p <= kPltCombinedSettle; ++p) plotAt(p).SetUnits(data_.fUnits);
  plotAt(kPltLoad).SetUnits(data_.fUnits);
}

void PlotDataReader::readDepthRow(int curve, int point) {
  const long double y = verticalOf(data_, reader_.readReal());
  for (const int p : kDepthPlots) plotAt(p).Data(curve, point).y = y;
  const auto setX = [&](int p, long double x) { plotAt(p).Data(curve, point).x = x; };
  const bool uplift = data_.KCYCL > kCompression;
  if (data_.Yesnewversion == 1) {
    for (const int p : kDepthPlots) setX(p, reader_.readReal());
    if (uplift) setX(kFSpltTip, plotAt(kPltTip).Data(curve, point).x);
    return;
  }
  const long double side = reader_.readReal();
  const long double tip = reader_.readReal();
  const long double total = reader_.readReal();
  reader_.readReal();
  setX(kPltSkin, side);
  setX(kPltTip, tip);
  setX(kPltTotal, total);
  setX(kFSpltSkin, side / data_.FST);
  setX(kFSpltTip, uplift ? tip : tip / data_.FSB);
  setX(kFSpltTotal,
       plotAt(kFSpltSkin).Data(curve, point).x + plotAt(kFSpltTip).Data(curve, point).x);
}

// A curve longer than the first: every depth plot grows, and the curves already read are padded
// with their last point, so that no row of the file is left unread.
void PlotDataReader::growDepthPlots(int count, int curvesDone) {
  for (const int p : kDepthPlots) {
    const int oldCount = plotAt(p).Count();
    plotAt(p).SetCount(count);
    for (int c = 0; c < curvesDone; ++c) {
      for (int i = oldCount; i < count; ++i) plotAt(p).Data(c, i) = plotAt(p).Data(c, i - 1);
    }
  }
}

void PlotDataReader::readSettlement(int plot, int curve) {
  for (int i = 1; i <= kSettlementRows; ++i) {
    plot::TFloatPoint& point = plotAt(plot).Data(curve, i);
    point.x = reader_.readReal();
    point.y = reader_.readReal();
    reader_.readReal();
    reader_.readReal();
  }
}

void PlotDataReader::readCurve(int curve, int rows) {
  if (rows > plotAt(kPltSkin).Count()) growDepthPlots(rows, curve);
  const int count = plotAt(kPltSkin).Count();
  for (int i = 0; i < count; ++i) {
    if (i < rows) {
      readDepthRow(curve, i);
    } else {
      for (const int p : kDepthPlots) plotAt(p).Data(curve, i) = plotAt(p).Data(curve, i - 1);
    }
  }
  plot::TFloatPoint& tip = plotAt(kPltTip).Data(curve, count - 1);
  if (tip.x < kSmallestTip) tip.x = kTipShownForZero;
  readSettlement(kPltAxial, curve);
  if (data_.ID2 > kBoundsLineCount) {
    readSettlement(kPltUpper, curve);
    readSettlement(kPltLower, curve);
  }
}

void PlotDataReader::readDesignCharts() {
  const int nCharts = readCount(reader_, 0, kDesignChartPlots);
  const int nCurves = readCount(reader_, 0, kMaxChartDiameters);
  const int nPoints = readCount(reader_, 0, kMaxChartLengths);
  for (int n = 0; n < kDesignChartPlots; ++n) {
    ReadPltChart(plotAt(kPltChart1 + n), nCurves, reader_, n, nCharts, nPoints, data_);
  }
}

// Design charts name each case by its own diameter, and by its length when a diameter has
// several: the run holds every length of the series for every diameter.
void PlotDataReader::nameCaseLegends() {
  const TGraphPlot& skin = plotAt(kPltSkin);
  const bool severalLengths = caseLengthCount(data_) > 1;
  for (int c = 0; c < nc_; ++c) {
    const std::string unit = unitLabel(data_);
    std::string name;
    if (data_.IChart > 0) {
      name = "Dia=" + plot::shortestText(caseDiameter(data_, c)) + unit;
      if (severalLengths) name += ", L=" + plot::shortestText(caseLength(plots_, data_, c)) + unit;
    } else if (data_.IPENT == 0) {
      name = "Dia=" + plot::shortestText(caseDiameter(data_, c)) + unit;
    } else {
      name = "L =" + plot::shortestText(skin.Data(c, skin.Count() - 1).y) + unit;
    }
    for (const int p : kCasePlots) plotAt(p).line(c).setLineName(name);
  }
}

void PlotDataReader::copyFirstCurves() {
  const auto copy = [&](int target, std::array<int, 3> sources) {
    for (int line = 0; line < kCombinedLines; ++line) {
      const TGraphPlot& source = plotAt(sources[static_cast<size_t>(line)]);
      plotAt(target).SetCount(source.Count());
      for (int i = 0; i < source.Count(); ++i) {
        plotAt(target).Data(line, i) = source.Data(0, i);
      }
    }
  };
  copy(kPltCombine, {kPltSkin, kPltTip, kPltTotal});
  copy(kPltCombineD, {kFSpltSkin, kFSpltTip, kFSpltTotal});
  copy(kPltCombinedSettle, {kPltAxial, kPltUpper, kPltLower});
}

void PlotDataReader::readTzSection(int plot) {
  const int count = readCount(reader_, 0, kMaxSectionCurves);
  TGraphPlot& target = plotAt(plot);
  target.SetLineCount(count);
  target.SetCount(kTZPairs);
  for (int line = 0; line < count; ++line) {
    reader_.readInteger();
    reader_.readInteger();
    const long double depth = reader_.readReal();
    target.line(line).setLineName("H=" + plot::shortestText(depth) + unitLabel(data_));
    for (int i = 0; i < kTZPairs; ++i) {
      target.Data(line, i).y = reader_.readReal();
      target.Data(line, i).x = reader_.readReal();
    }
  }
}

void PlotDataReader::readQwSection() {
  const int count = readCount(reader_, 0, kMaxSectionCurves);
  TGraphPlot& target = plotAt(kPltQw);
  target.SetLineCount(count);
  target.SetCount(kTZPairs);
  for (int line = 0; line < count; ++line) {
    reader_.readInteger();
    const long double diameter = reader_.readReal();
    reader_.readInteger();
    target.line(line).setLineName("Dia=" + plot::shortestText(diameter) + unitLabel(data_));
    for (int i = 0; i < kTZPairs; ++i) {
      target.Data(line, i).y = reader_.readReal();
      target.Data(line, i).x = reader_.readReal();
    }
  }
}

void PlotDataReader::readLoadDistribution() {
  TGraphPlot& target = plotAt(kPltLoad);
  // The engine writes one row per increment of the shaft, one increment per foot of its walk
  // down to the tip; the rows of the first curve (NP - 2) match them only when every foot is
  // printed. The rows of each curve are therefore counted from what the section holds.
  const long long words = wordsAfterCurrentLine(reader_);
  constexpr long long kSectionRowWords =
      static_cast<long long>(kLoadDistributionCurves) * kWordsPerLoadRow;
  if (words > 0 && words % kSectionRowWords == 0 && words / kSectionRowWords <= kMaxPlotDepthRows) {
    target.SetCount(static_cast<int>(words / kSectionRowWords));
  }
  for (int line = 0; line < target.LineCount(); ++line) {
    for (int i = 0; i < target.Count(); ++i) {
      target.Data(line, i).y = reader_.readReal();
      target.Data(line, i).x = reader_.readReal();
      reader_.readReal();
    }
  }
}

void PlotDataReader::readAll() {
  plots_.resetForReading();
  readHeader();
  int rows = np_;
  for (int c = 0; c < nc_; ++c) {
    readCurve(c, rows);
    if (c + 1 < nc_) {
      reader_.readInteger();
      rows = readCount(reader_, 1, maxDepthRows());
      reader_.readInteger();
    }
  }
  if (data_.IChart == 1) readDesignCharts();
  nameCaseLegends();
  copyFirstCurves();
  for (const int p : kBandPlots) AddLayersGraphPlot(plotAt(p), data_);
  if (!skipRestAndCheckEnd(reader_)) {
    if (data_.PrintTZCurves == 1) readTzSection(kPltTzAdd);
    readTzSection(kPltTz);
    readQwSection();
    flags_.showtzcurves = true;
    if (!skipRestAndCheckEnd(reader_)) {
      readLoadDistribution();
      flags_.showloadcurves = true;
    }
  }
  plots_.SetUnits(data_.fUnits);
}

}  // namespace

// The engine's length series: its defaults for a minimum length and an increment of 0, and
// its shortest shaft, six diameters plus the ignored portions; it ends at the given length
// (none when the design load is given).
int caseLengthCount(const TProgramData& data) {
  if (data.IPENT <= 0 && data.IChart <= 0) return 1;
  const long double given = data.designLoadGiven() ? data.LPD : data.PD;
  const long double end = data.designLoadGiven() ? 0 : data.PD;
  long double shortest = data.PDMIN;
  if (shortest == 0) {
    shortest = (data.IChart > 0 ? kChartShortestShare : kLengthsShortestShare) * given;
  }
  shortest = std::max(shortest, kShortestInDiameters * data.DSTART + data.TOPLENG + data.BS);
  long double step = data.PDINCR;
  if (step == 0) step = data.isSI() ? kSILengthStep : kEnglishLengthStep;
  if (!(step > 0)) return 1;
  const long double count = (end - shortest) / step + kSeriesTolerance;
  if (!(count >= 0)) return 1;
  return static_cast<int>(std::min<long double>(count, kMaxChartLengths - 1)) + 1;
}

long double caseDiameter(const TProgramData& data, int curve) {
  long double step = data.isSI() ? kSIDiameterStep : kEnglishDiameterStep;
  if (data.IChart > 0) {
    step = data.DIAMINCR != 0 ? data.DIAMINCR
           : data.isSI()      ? kSIChartDiameterStep
                              : kEnglishDiameterStep;
  }
  int diameter = curve;
  const int lengths = caseLengthCount(data);
  if (data.IChart > 0) {
    diameter = curve / lengths;
  } else if (data.IPENT > 0) {
    // Only the first diameter is run at every length.
    diameter = curve < lengths ? 0 : curve - lengths + 1;
  }
  return data.DSTART + diameter * step;
}

long double caseLength(const ResultPlots& plots, const TProgramData& data, int curve) {
  const TGraphPlot& skin = plots[kPltSkin];
  if (curve < 0 || curve >= skin.LineCount() || skin.Count() == 0) return 0;
  const long double y = skin.Data(curve, skin.Count() - 1).y;
  return data.UseElevation == 1 ? data.ValElevation - y : y;
}

std::string caseSummary(const ResultPlots& plots, const TProgramData& data) {
  const int cases = plots[kPltSkin].LineCount();
  std::string text = "Cases analysed: " + std::to_string(cases);
  if (cases == 0) return text;
  long double dMin = caseDiameter(data, 0);
  long double dMax = dMin;
  long double lMin = caseLength(plots, data, 0);
  long double lMax = lMin;
  for (int c = 1; c < cases; ++c) {
    dMin = std::min(dMin, caseDiameter(data, c));
    dMax = std::max(dMax, caseDiameter(data, c));
    lMin = std::min(lMin, caseLength(plots, data, c));
    lMax = std::max(lMax, caseLength(plots, data, c));
  }
  const std::string unit = unitLabel(data);
  const auto range = [&unit](const char* one, const char* many, long double low, long double high) {
    if (low == high) return std::string(one) + " " + plot::shortestText(low) + unit;
    return std::string(many) + " " + plot::shortestText(low) + " to " + plot::shortestText(high) +
           unit;
  };
  return text + " (" + range("diameter", "diameters", dMin, dMax) + ", " +
         range("length", "lengths", lMin, lMax) + ")";
}

void ReadPltChart(TGraphPlot& plot, int nCurves, TWordReader& reader, int chart, int nCharts,
                  int nPoints, const TProgramData& data) {
  if (chart >= nCharts) return;
  plot.SetLineCount(nCurves);
  plot.SetCount(nPoints);
  const long double settlement = reader.readReal();
  const std::string title = "Design Chart (" + plot::shortestText(settlement) +
                            (data.isSI() ? "-m" : "-in") + " movement)";
  plot.Caption = title;
  plot.UserCaption = title;
  for (int line = 0; line < nCurves; ++line) {
    const long double diameter = reader.readReal();
    plot.line(line).setLineName(
        data.isSI() ? "Dia=" + plot::shortestText(diameter) + " m"
                    : "Dia=" + plot::shortestText(diameter / kInchesPerFoot) + " ft");
    for (int i = 0; i < nPoints; ++i) {
      plot.Data(line, i).y = reader.readReal();
      plot.Data(line, i).x = reader.readReal();
    }
  }
  const long double lengthDivisor = data.isSI() ? kInchesPerMetre : kInchesPerFoot;
  const long double loadDivisor = data.isSI() ? kPoundsPerKilonewton : kPoundsPerTon;
  for (int line = 0; line < nCurves; ++line) {
    for (int i = 0; i < nPoints; ++i) {
      plot.Data(line, i).y /= lengthDivisor;
      plot.Data(line, i).x /= loadDivisor;
    }
  }
  AddLayersGraphPlot(plot, data);
}

void AddLayersGraphPlot(TGraphPlot& plot, const TProgramData& data) {
  if (plot.LineCount() == 0 || plot.Count() == 0) return;
  const grid::TGridTable& layers = data.grids().D();
  plot.SetLayerLineCount(layers.RowCount());
  plot.SetLayerCount(1);
  for (int row = 0; row < layers.RowCount(); ++row) {
    plot::TLine& band = plot.layerLine(row);
    band.setLineName("LAYER " + std::to_string(row + 1));
    const int32_t type = layers.GetIntValue(kColSoilType, row);
    plot::TFloatPoint& point = band.point(0);
    point.x = 0;
    if (type >= kFirstSoilType && type <= kLastSoilType) {
      const SoilBand& soil = kSoilBands[static_cast<size_t>(type - kFirstSoilType)];
      band.setLineName(soil.Name);
      point.x = soil.pattern;
    }
    point.y = verticalOf(data, layers.GetFloatValue(kColBottomDepth, row));
  }
  plot.LayersTop = data.UseElevation == 1 ? data.ValElevation : 0;
}

void ReadPlotData(ResultPlots& plots, TProgramData& data, ResultFlags& flags, TWordReader& reader) {
  PlotDataReader(plots, data, flags, reader).readAll();
}

bool ReadPlotData(ResultPlots& plots, TProgramData& data, ResultFlags& flags,
                  const std::string& fileName, bool reportErrors, UserMessages& messages) {
  try {
    TWordReader reader(fileName);
    ReadPlotData(plots, data, flags, reader);
    return true;
  } catch (const ProjectFormatError&) {
    if (reportErrors) messages.information(kPlotDataErrorMessage);
    return false;
  }
}

}  // namespace tolvane::app
