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

struct TSoilBand {
  const char* Name;
  int Pattern;
};
// By soil type 1 to 11.
constexpr std::array<TSoilBand, 11> kSoilBands = {{{" SAND ", 7},
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

[[noreturn]] void FailCount(const TWordReader& reader) {
  throw EProjectFormatError("Error on Line " + std::to_string(reader.CurrentLine() + 1) + " Item " +
                            std::to_string(reader.LastItem()) +
                            "\rA count beyond the limits of the program was found.");
}

int ReadCount(TWordReader& reader, int lowest, int highest) {
  const int32_t value = reader.ReadInteger();
  if (value < lowest || value > highest) FailCount(reader);
  return value;
}

std::string UnitLabel(const TProgramData& data) {
  return data.isSI() ? " m" : " ft";
}

long double VerticalOf(const TProgramData& data, long double depth) {
  return data.UseElevation == 1 ? data.ValElevation - depth : depth;
}

// Skips what is left of the current line; true when no word follows in the file.
bool SkipRestAndCheckEnd(TWordReader& reader) {
  while (reader.CurrentLine() >= 0 && reader.LastItem() < reader.WordCount()) reader.ReadWord();
  for (int line = reader.CurrentLine() + 1; line < reader.LineCount(); ++line) {
    if (reader.WordCount(line) > 0) return false;
  }
  return true;
}

// Words of the lines after the current one.
long long WordsAfterCurrentLine(const TWordReader& reader) {
  long long words = 0;
  for (int line = reader.CurrentLine() + 1; line < reader.LineCount(); ++line) {
    words += reader.WordCount(line);
  }
  return words;
}

int TotalWords(const TWordReader& reader) {
  long long words = 0;
  for (int line = 0; line < reader.LineCount(); ++line) words += reader.WordCount(line);
  return static_cast<int>(std::min<long long>(words, std::numeric_limits<int>::max()));
}

class TPlotDataReader {
 public:
  TPlotDataReader(TResultPlots& plots, TProgramData& data, TResultFlags& flags, TWordReader& reader)
      : Plots_(plots), Data_(data), Flags_(flags), Reader_(reader), Words_(TotalWords(reader)) {}

  void Read();

 private:
  TGraphPlot& Plot(int index) { return Plots_[index]; }
  // Rows of one curve: within the program's limit, the numbers of the file and, with all
  // curves as long, the points the program holds.
  int MaxDepthRows() const {
    return std::min({kMaxPlotDepthRows, Words_ / kWordsPerDepthRow,
                     static_cast<int>(kMaxPlotPoints / std::max(NC_, 1))});
  }
  void PrepareCaptions();
  void ReadHeader();
  void ReadCurve(int curve, int rows);
  void ReadDepthRow(int curve, int point);
  void GrowDepthPlots(int count, int curves_done);
  void ReadSettlement(int plot, int curve);
  void ReadDesignCharts();
  void NameCaseLegends();
  void CopyFirstCurves();
  void ReadTZSection(int plot);
  void ReadQWSection();
  void ReadLoadDistribution();

  TResultPlots& Plots_;
  TProgramData& Data_;
  TResultFlags& Flags_;
  TWordReader& Reader_;
  // Counts are also limited by what the file can hold, so that a garbled header cannot ask for
  // more points than the file has numbers.
  int Words_ = 0;
  int NC_ = 0;
  int NP_ = 0;
};

void TPlotDataReader::PrepareCaptions() {
  const bool elevation = Data_.UseElevation == 1;
  for (int p = kPltSkin; p <= kPltCombineD; ++p) {
    Plot(p).YCaption = elevation ? "Elevation" : "Depth";
    Plot(p).Yreversed = elevation;
  }
  Plot(kPltSkin).ShowFontWidth = true;
  Plot(kPltCombine).ShowFontWidth = true;
  const bool lrfd = Data_.isLrfd();
  Plot(kFSpltSkin).XCaption = lrfd ? "LRFD Side Resistance " : "Side Resistance/F.S. ";
  Plot(kFSpltTip).XCaption = lrfd ? "LRFD Tip Resistance " : "Tip Resistance/F.S. ";
  Plot(kFSpltTotal).XCaption = lrfd ? "LRFD Total Resistance " : "Total Resistance/F.S. ";
  Plot(kPltCombineD).XCaption = lrfd ? "LRFD Resistance " : "Resistance/F.S. ";
  const bool uplift = Data_.KCYCL > kCompression;
  if (uplift) Plot(kFSpltTip).XCaption = "Self-Weight";
  for (const int p : {kPltCombine, kPltCombineD}) {
    Plot(p).SetLineCount(kCombinedLines);
    Plot(p).Line(0).SetLineName("  Skin Friction");
    Plot(p).Line(1).SetLineName(uplift ? "  Self-Weight" : "  Tip Resistance");
    Plot(p).Line(2).SetLineName("  Total Capacity");
  }
  Plot(kPltCombinedSettle).SetLineCount(kCombinedLines);
  Plot(kPltCombinedSettle).Line(0).SetLineName("  Trend (Averaged)");
  Plot(kPltCombinedSettle).Line(1).SetLineName("  Upper Bound");
  Plot(kPltCombinedSettle).Line(2).SetLineName("  Lower Bound");
  Plot(kPltLoad).SetLineCount(kLoadDistributionCurves);
}

void TPlotDataReader::ReadHeader() {
  NC_ = ReadCount(Reader_, 1, kMaxPlotCurves);
  for (const int p : kCasePlots) Plot(p).SetLineCount(NC_);
  PrepareCaptions();
  NP_ = ReadCount(Reader_, kFixedRows, MaxDepthRows());
  for (const int p : kDepthPlots) Plot(p).SetCount(NP_);
  Plot(kPltCombine).SetCount(NP_);
  Plot(kPltCombineD).SetCount(NP_);
  for (int p = kPltAxial; p <= kPltCombinedSettle; ++p) Plot(p).SetCount(kSettlementPoints);
  Plot(kPltLoad).SetCount(NP_ - kFixedRows);
  Data_.ID2 = Reader_.ReadInteger();
  for (int p = kPltSkin; p <= kPltCombinedSettle; ++p) Plot(p).SetUnits(Data_.fUnits);
  Plot(kPltLoad).SetUnits(Data_.fUnits);
}

void TPlotDataReader::ReadDepthRow(int curve, int point) {
  const long double y = VerticalOf(Data_, Reader_.ReadReal());
  for (const int p : kDepthPlots) Plot(p).Data(curve, point).y = y;
  const auto set_x = [&](int p, long double x) { Plot(p).Data(curve, point).x = x; };
  const bool uplift = Data_.KCYCL > kCompression;
  if (Data_.Yesnewversion == 1) {
    for (const int p : kDepthPlots) set_x(p, Reader_.ReadReal());
    if (uplift) set_x(kFSpltTip, Plot(kPltTip).Data(curve, point).x);
    return;
  }
  const long double side = Reader_.ReadReal();
  const long double tip = Reader_.ReadReal();
  const long double total = Reader_.ReadReal();
  Reader_.ReadReal();
  set_x(kPltSkin, side);
  set_x(kPltTip, tip);
  set_x(kPltTotal, total);
  set_x(kFSpltSkin, side / Data_.FST);
  set_x(kFSpltTip, uplift ? tip : tip / Data_.FSB);
  set_x(kFSpltTotal, Plot(kFSpltSkin).Data(curve, point).x + Plot(kFSpltTip).Data(curve, point).x);
}

// A curve longer than the first: every depth plot grows, and the curves already read are padded
// with their last point, so that no row of the file is left unread.
void TPlotDataReader::GrowDepthPlots(int count, int curves_done) {
  for (const int p : kDepthPlots) {
    const int old_count = Plot(p).Count();
    Plot(p).SetCount(count);
    for (int c = 0; c < curves_done; ++c) {
      for (int i = old_count; i < count; ++i) Plot(p).Data(c, i) = Plot(p).Data(c, i - 1);
    }
  }
}

void TPlotDataReader::ReadSettlement(int plot, int curve) {
  for (int i = 1; i <= kSettlementRows; ++i) {
    plot::TFloatPoint& point = Plot(plot).Data(curve, i);
    point.x = Reader_.ReadReal();
    point.y = Reader_.ReadReal();
    Reader_.ReadReal();
    Reader_.ReadReal();
  }
}

void TPlotDataReader::ReadCurve(int curve, int rows) {
  if (rows > Plot(kPltSkin).Count()) GrowDepthPlots(rows, curve);
  const int count = Plot(kPltSkin).Count();
  for (int i = 0; i < count; ++i) {
    if (i < rows) {
      ReadDepthRow(curve, i);
    } else {
      for (const int p : kDepthPlots) Plot(p).Data(curve, i) = Plot(p).Data(curve, i - 1);
    }
  }
  plot::TFloatPoint& tip = Plot(kPltTip).Data(curve, count - 1);
  if (tip.x < kSmallestTip) tip.x = kTipShownForZero;
  ReadSettlement(kPltAxial, curve);
  if (Data_.ID2 > kBoundsLineCount) {
    ReadSettlement(kPltUpper, curve);
    ReadSettlement(kPltLower, curve);
  }
}

void TPlotDataReader::ReadDesignCharts() {
  const int n_charts = ReadCount(Reader_, 0, kDesignChartPlots);
  const int n_curves = ReadCount(Reader_, 0, kMaxChartDiameters);
  const int n_points = ReadCount(Reader_, 0, kMaxChartLengths);
  for (int n = 0; n < kDesignChartPlots; ++n) {
    ReadPltChart(Plot(kPltChart1 + n), n_curves, Reader_, n, n_charts, n_points, Data_);
  }
}

// Design charts name each case by its own diameter, and by its length when a diameter has
// several: the run holds every length of the series for every diameter.
void TPlotDataReader::NameCaseLegends() {
  const TGraphPlot& skin = Plot(kPltSkin);
  const bool several_lengths = CaseLengthCount(Data_) > 1;
  for (int c = 0; c < NC_; ++c) {
    const std::string unit = UnitLabel(Data_);
    std::string name;
    if (Data_.IChart > 0) {
      name = "Dia=" + plot::ShortestText(CaseDiameter(Data_, c)) + unit;
      if (several_lengths) name += ", L=" + plot::ShortestText(CaseLength(Plots_, Data_, c)) + unit;
    } else if (Data_.IPENT == 0) {
      name = "Dia=" + plot::ShortestText(CaseDiameter(Data_, c)) + unit;
    } else {
      name = "L =" + plot::ShortestText(skin.Data(c, skin.Count() - 1).y) + unit;
    }
    for (const int p : kCasePlots) Plot(p).Line(c).SetLineName(name);
  }
}

void TPlotDataReader::CopyFirstCurves() {
  const auto copy = [&](int target, std::array<int, 3> sources) {
    for (int line = 0; line < kCombinedLines; ++line) {
      const TGraphPlot& source = Plot(sources[static_cast<size_t>(line)]);
      Plot(target).SetCount(source.Count());
      for (int i = 0; i < source.Count(); ++i) {
        Plot(target).Data(line, i) = source.Data(0, i);
      }
    }
  };
  copy(kPltCombine, {kPltSkin, kPltTip, kPltTotal});
  copy(kPltCombineD, {kFSpltSkin, kFSpltTip, kFSpltTotal});
  copy(kPltCombinedSettle, {kPltAxial, kPltUpper, kPltLower});
}

void TPlotDataReader::ReadTZSection(int plot) {
  const int count = ReadCount(Reader_, 0, kMaxSectionCurves);
  TGraphPlot& target = Plot(plot);
  target.SetLineCount(count);
  target.SetCount(kTZPairs);
  for (int line = 0; line < count; ++line) {
    Reader_.ReadInteger();
    Reader_.ReadInteger();
    const long double depth = Reader_.ReadReal();
    target.Line(line).SetLineName("H=" + plot::ShortestText(depth) + UnitLabel(Data_));
    for (int i = 0; i < kTZPairs; ++i) {
      target.Data(line, i).y = Reader_.ReadReal();
      target.Data(line, i).x = Reader_.ReadReal();
    }
  }
}

void TPlotDataReader::ReadQWSection() {
  const int count = ReadCount(Reader_, 0, kMaxSectionCurves);
  TGraphPlot& target = Plot(kPltQw);
  target.SetLineCount(count);
  target.SetCount(kTZPairs);
  for (int line = 0; line < count; ++line) {
    Reader_.ReadInteger();
    const long double diameter = Reader_.ReadReal();
    Reader_.ReadInteger();
    target.Line(line).SetLineName("Dia=" + plot::ShortestText(diameter) + UnitLabel(Data_));
    for (int i = 0; i < kTZPairs; ++i) {
      target.Data(line, i).y = Reader_.ReadReal();
      target.Data(line, i).x = Reader_.ReadReal();
    }
  }
}

void TPlotDataReader::ReadLoadDistribution() {
  TGraphPlot& target = Plot(kPltLoad);
  // The engine writes one row per increment of the shaft, one increment per foot of its walk
  // down to the tip; the rows of the first curve (NP - 2) match them only when every foot is
  // printed. The rows of each curve are therefore counted from what the section holds.
  const long long words = WordsAfterCurrentLine(Reader_);
  constexpr long long kSectionRowWords = kLoadDistributionCurves * kWordsPerLoadRow;
  if (words > 0 && words % kSectionRowWords == 0 && words / kSectionRowWords <= kMaxPlotDepthRows) {
    target.SetCount(static_cast<int>(words / kSectionRowWords));
  }
  for (int line = 0; line < target.LineCount(); ++line) {
    for (int i = 0; i < target.Count(); ++i) {
      target.Data(line, i).y = Reader_.ReadReal();
      target.Data(line, i).x = Reader_.ReadReal();
      Reader_.ReadReal();
    }
  }
}

void TPlotDataReader::Read() {
  Plots_.ResetForReading();
  ReadHeader();
  int rows = NP_;
  for (int c = 0; c < NC_; ++c) {
    ReadCurve(c, rows);
    if (c + 1 < NC_) {
      Reader_.ReadInteger();
      rows = ReadCount(Reader_, 1, MaxDepthRows());
      Reader_.ReadInteger();
    }
  }
  if (Data_.IChart == 1) ReadDesignCharts();
  NameCaseLegends();
  CopyFirstCurves();
  for (const int p : kBandPlots) AddLayersGraphPlot(Plot(p), Data_);
  if (!SkipRestAndCheckEnd(Reader_)) {
    if (Data_.PrintTZCurves == 1) ReadTZSection(kPltTzAdd);
    ReadTZSection(kPltTz);
    ReadQWSection();
    Flags_.showtzcurves = true;
    if (!SkipRestAndCheckEnd(Reader_)) {
      ReadLoadDistribution();
      Flags_.showloadcurves = true;
    }
  }
  Plots_.SetUnits(Data_.fUnits);
}

}  // namespace

// The engine's length series: its defaults for a minimum length and an increment of 0, and
// its shortest shaft, six diameters plus the ignored portions; it ends at the given length
// (none when the design load is given).
int CaseLengthCount(const TProgramData& data) {
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

long double CaseDiameter(const TProgramData& data, int curve) {
  long double step = data.isSI() ? kSIDiameterStep : kEnglishDiameterStep;
  if (data.IChart > 0) {
    step = data.DIAMINCR != 0 ? data.DIAMINCR
           : data.isSI()       ? kSIChartDiameterStep
                              : kEnglishDiameterStep;
  }
  int diameter = curve;
  const int lengths = CaseLengthCount(data);
  if (data.IChart > 0) {
    diameter = curve / lengths;
  } else if (data.IPENT > 0) {
    // Only the first diameter is run at every length.
    diameter = curve < lengths ? 0 : curve - lengths + 1;
  }
  return data.DSTART + diameter * step;
}

long double CaseLength(const TResultPlots& plots, const TProgramData& data, int curve) {
  const TGraphPlot& skin = plots[kPltSkin];
  if (curve < 0 || curve >= skin.LineCount() || skin.Count() == 0) return 0;
  const long double y = skin.Data(curve, skin.Count() - 1).y;
  return data.UseElevation == 1 ? data.ValElevation - y : y;
}

std::string CaseSummary(const TResultPlots& plots, const TProgramData& data) {
  const int cases = plots[kPltSkin].LineCount();
  std::string text = "Cases analysed: " + std::to_string(cases);
  if (cases == 0) return text;
  long double d_min = CaseDiameter(data, 0);
  long double d_max = d_min;
  long double l_min = CaseLength(plots, data, 0);
  long double l_max = l_min;
  for (int c = 1; c < cases; ++c) {
    d_min = std::min(d_min, CaseDiameter(data, c));
    d_max = std::max(d_max, CaseDiameter(data, c));
    l_min = std::min(l_min, CaseLength(plots, data, c));
    l_max = std::max(l_max, CaseLength(plots, data, c));
  }
  const std::string unit = UnitLabel(data);
  const auto range = [&unit](const char* one, const char* many, long double low, long double high) {
    if (low == high) return std::string(one) + " " + plot::ShortestText(low) + unit;
    return std::string(many) + " " + plot::ShortestText(low) + " to " + plot::ShortestText(high) +
           unit;
  };
  return text + " (" + range("diameter", "diameters", d_min, d_max) + ", " +
         range("length", "lengths", l_min, l_max) + ")";
}

void ReadPltChart(TGraphPlot& plot, int n_curves, TWordReader& reader, int chart, int n_charts,
                  int n_points, const TProgramData& data) {
  if (chart >= n_charts) return;
  plot.SetLineCount(n_curves);
  plot.SetCount(n_points);
  const long double settlement = reader.ReadReal();
  const std::string title = "Design Chart (" + plot::ShortestText(settlement) +
                            (data.isSI() ? "-m" : "-in") + " movement)";
  plot.Caption = title;
  plot.UserCaption = title;
  for (int line = 0; line < n_curves; ++line) {
    const long double diameter = reader.ReadReal();
    plot.Line(line).SetLineName(
        data.isSI() ? "Dia=" + plot::ShortestText(diameter) + " m"
                   : "Dia=" + plot::ShortestText(diameter / kInchesPerFoot) + " ft");
    for (int i = 0; i < n_points; ++i) {
      plot.Data(line, i).y = reader.ReadReal();
      plot.Data(line, i).x = reader.ReadReal();
    }
  }
  const long double length_divisor = data.isSI() ? kInchesPerMetre : kInchesPerFoot;
  const long double load_divisor = data.isSI() ? kPoundsPerKilonewton : kPoundsPerTon;
  for (int line = 0; line < n_curves; ++line) {
    for (int i = 0; i < n_points; ++i) {
      plot.Data(line, i).y /= length_divisor;
      plot.Data(line, i).x /= load_divisor;
    }
  }
  AddLayersGraphPlot(plot, data);
}

void AddLayersGraphPlot(TGraphPlot& plot, const TProgramData& data) {
  if (plot.LineCount() == 0 || plot.Count() == 0) return;
  const grid::TGridTable& layers = data.Grids().D();
  plot.SetLayerLineCount(layers.RowCount());
  plot.SetLayerCount(1);
  for (int row = 0; row < layers.RowCount(); ++row) {
    plot::TLine& band = plot.LayerLine(row);
    band.SetLineName("LAYER " + std::to_string(row + 1));
    const int32_t type = layers.GetIntValue(kColSoilType, row);
    plot::TFloatPoint& point = band.Point(0);
    point.x = 0;
    if (type >= kFirstSoilType && type <= kLastSoilType) {
      const TSoilBand& soil = kSoilBands[static_cast<size_t>(type - kFirstSoilType)];
      band.SetLineName(soil.Name);
      point.x = soil.Pattern;
    }
    point.y = VerticalOf(data, layers.GetFloatValue(kColBottomDepth, row));
  }
  plot.LayersTop = data.UseElevation == 1 ? data.ValElevation : 0;
}

void ReadPlotData(TResultPlots& plots, TProgramData& data, TResultFlags& flags,
                  TWordReader& reader) {
  TPlotDataReader(plots, data, flags, reader).Read();
}

bool ReadPlotData(TResultPlots& plots, TProgramData& data, TResultFlags& flags,
                  const std::string& file_name, bool report_errors, UserMessages& messages) {
  try {
    TWordReader reader(file_name);
    ReadPlotData(plots, data, flags, reader);
    return true;
  } catch (const EProjectFormatError&) {
    if (report_errors) messages.information(kPlotDataErrorMessage);
    return false;
  }
}

}  // namespace tolvane::app
