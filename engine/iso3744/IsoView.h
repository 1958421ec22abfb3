// What the measurement window shows, as the engine decides it: the Qt window
// implements this, tests record it.
#pragma once

#include <string>
#include <vector>

#include "core/Platform.h"
#include "iso3744/MicLayout.h"

namespace fonderel {

// The texts of the four dimension boxes.
struct DimensionTexts {
  std::string lenght, widt, heigh, volume;
};

// The arrangement's part of the window.
struct ArrangementView {
  std::string lengthLabel;       // "lenght (2a)" or "Radius"
  bool widthHeightShown = true;  // the width and height boxes with their labels
  int nmicsPosition = 2;         // the Nmics entry shown (set without a click)
  LayoutSketch sketch;           // what Image1 shows
};

// "Display Lw": one bar per band, then "Lin" and "A".
struct BarChart {
  std::string title;
  std::vector<std::string> labels;
  std::vector<double> values;
  std::vector<Rgb> colours;
  std::vector<std::string> notes;  // the computation's notes, the grade and its criteria
};

class IsoView {
 public:
  virtual ~IsoView() = default;
  virtual void SetDimensionTexts(const DimensionTexts& texts) = 0;
  virtual void SetArrangement(const ArrangementView& view) = 0;
  // The whole grid; the current cell becomes row 1, column 1.
  virtual void SetGrid(const TextTable& cells) = 0;
  virtual void SetEditBox(const std::string& text) = 0;
  virtual void ShowChart(const BarChart& chart) = 0;
  // Hides the chart and shows Image1.
  virtual void ShowPicture() = 0;
  // Hides both the chart and Image1.
  virtual void HideChartAndPicture() = 0;
  // The heading dialog for name and manufacturer, shown modally.
  virtual void ShowHeadingDialog() = 0;
  virtual void CloseWindow() = 0;
  // Prints the window's image on the printer chosen in the print dialog;
  // false when the printer could not be opened.
  virtual bool PrintWindow() = 0;
};

}  // namespace fonderel
