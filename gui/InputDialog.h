// The input box of the program: a text question in a dialog wide enough to
// show its whole title.
#pragma once

#include <QInputDialog>
#include <memory>

namespace fonderel {

std::unique_ptr<QInputDialog> MakeInputDialog(QWidget* parent, const QString& title,
                                              const QString& prompt, const QString& text);

}  // namespace fonderel
