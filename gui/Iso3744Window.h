// The measurement window "ISO 3744 (3746)": arrangement, dimensions, the grid
// of levels and reverberation times, the arrangement sketch or the sound
// power chart, and its buttons. Shown modally by File › Create Source ISO 3744.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <functional>

#include "GridWidget.h"
#include "IsoPictures.h"
#include "iso3744/IsoSession.h"

namespace fonderel {

class Iso3744Window : public QDialog, public IsoView {
  Q_OBJECT

 public:
  Iso3744Window(AppState& state, Platform& platform, QWidget* parent = nullptr);

  IsoSession& Session() { return session_; }
  // Tests answer the heading dialog here instead of the modal dialog.
  std::function<void()> headingHook;

  // IsoView.
  void SetDimensionTexts(const DimensionTexts& texts) override;
  void SetArrangement(const ArrangementView& view) override;
  void SetGrid(const TextTable& cells) override;
  void SetEditBox(const std::string& text) override;
  void ShowChart(const BarChart& chart) override;
  void ShowPicture() override;
  void HideChartAndPicture() override;
  void ShowHeadingDialog() override;
  void CloseWindow() override;
  bool PrintWindow() override;

 private:
  QLineEdit* AddDimension(const char* name, DimensionField field);

  AppState& state_;
  Platform& platform_;
  IsoSession session_;
  QComboBox* nmics_;
  QLabel* lengthLabel_;
  QLabel* widthLabel_;
  QLabel* heightLabel_;
  QLineEdit* lenght_;
  QLineEdit* widt_;
  QLineEdit* heigh_;
  QLineEdit* volume_;
  GridWidget* grid_;
  QLineEdit* cell_;
  // The sketch, the chart and an empty page share one pane that keeps its
  // size whichever is shown (also while a message box is up).
  QStackedWidget* pictures_;
  QWidget* blank_;
  LayoutPicture* image_;
  BarChartWidget* graph_;
};

}  // namespace fonderel
