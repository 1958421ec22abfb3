#include "InfoWindow.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

#include "Twips.h"
#include "core/Cp1252.h"

namespace fonderel {

InfoWindow::InfoWindow(AppState& state, Platform& platform, QWidget* parent)
    : QWidget(parent),
      state_(state),
      platform_(platform),
      grid_(new GridWidget(state.Entry, "InfoGrid")),
      icell_(new QLineEdit),
      speaker_(new QRadioButton("LoudSpeaker")),
      noise_(new QRadioButton("Noise Source")) {
  setObjectName("Info");
  icell_->setObjectName("Icell");
  speaker_->setObjectName("SpkrBtn");
  noise_->setObjectName("NoiseBtn");
  // The window's 2850 twips were meant for six rows and the controls below
  // them: compact rows and margins keep every row in view with a desktop
  // font; the columns keep 2000 and 700 twips, widened by the font's ratio.
  const int row = CompactLineHeight(grid_->fontMetrics());
  grid_->verticalHeader()->setMinimumSectionSize(row);
  grid_->verticalHeader()->setDefaultSectionSize(row);
  grid_->horizontalHeader()->setMinimumSectionSize(1);
  grid_->SetColumnWidths(ScaledTwipsToPixels(2000, font()), ScaledTwipsToPixels(700, font()));
  // In a short window the table gives way, so the buttons below stay.
  grid_->setMinimumHeight(2 * row);

  auto* kind = new QGroupBox("Sound Source Type");
  auto* kindLayout = new QHBoxLayout(kind);
  kindLayout->setContentsMargins(6, 0, 6, 1);
  kindLayout->addWidget(speaker_);
  kindLayout->addWidget(noise_);
  auto* bottom = new QHBoxLayout;
  bottom->setSpacing(4);
  bottom->addWidget(new QLabel("Pointed Datum :"));
  bottom->addWidget(icell_);
  bottom->addWidget(kind);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(3, 2, 3, 2);
  layout->setSpacing(2);
  layout->addWidget(grid_, 1);
  layout->addLayout(bottom);

  grid_->onCommit = [this](int row, int col, const std::string& entry, bool onEnter) {
    CommitInfoEntry(state_, platform_, row, col, entry, onEnter);
  };
  grid_->editBoxText = [this](int row, int col) { return InfoEditBoxText(state_, row, col); };
  grid_->showInEditBox = [this](const std::string& text) {
    if (!icell_->hasFocus()) icell_->setText(QString::fromStdString(Cp1252ToUtf8(text)));
  };
  grid_->focusEditBox = [this] { icell_->setFocus(); };
  grid_->beep = [this] { platform_.Beep(); };
  connect(icell_, &QLineEdit::returnPressed, this, [this] {
    CommitInfoEditBox(state_, platform_, grid_->currentRow(), grid_->currentColumn(),
                      Utf8ToCp1252(icell_->text().toStdString()));
    grid_->setFocus();
    grid_->ShowCurrentInEditBox();
  });
  connect(speaker_, &QRadioButton::clicked, this,
          [this] { SourceKindChosen(state_, platform_, true); });
  connect(noise_, &QRadioButton::clicked, this,
          [this] { SourceKindChosen(state_, platform_, false); });
}

void InfoWindow::SetKind(bool loudspeaker) {
  (loudspeaker ? speaker_ : noise_)->setChecked(true);
}

}  // namespace fonderel
