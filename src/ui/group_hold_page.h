#pragma once
// The group/hold page: colour-group switch, group grid (64 rows) and hold grid
// (65 rows: row 1 is HOLD FAIL, row r+2 the HOLD of teach row r).
#include <QWidget>

#include "ui_group_hold_page.h"

namespace trivolux {

class GroupHoldPage : public QWidget {
  Q_OBJECT
 public:
  explicit GroupHoldPage(QWidget* parent = nullptr);
  Ui::GroupHoldPage ui;
};

}  // namespace trivolux
