// The loudspeaker selection: which loudspeaker of a file that holds several
// to import.
#pragma once

#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <string>
#include <vector>

namespace fonderel {

class SelectLoudspeaker : public QDialog {
  Q_OBJECT

 public:
  SelectLoudspeaker(const std::vector<std::string>& names, QWidget* parent = nullptr);
  // The chosen name's index in the list, or -1.
  int Chosen() const { return chosen_; }
  QListWidget* List() const { return list_; }
  QPushButton* Ok() const { return ok_; }

 private:
  QListWidget* list_;
  QPushButton* ok_;
  int chosen_ = -1;
};

}  // namespace fonderel
