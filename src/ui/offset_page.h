#pragma once
// The offset page (hidden until unlocked): the three offsets and their buttons.
#include <QWidget>

#include "ui_offset_page.h"

namespace trivolux {

class OffsetPage : public QWidget {
  Q_OBJECT
 public:
  explicit OffsetPage(QWidget* parent = nullptr);
  Ui::OffsetPage ui;
};

}  // namespace trivolux
