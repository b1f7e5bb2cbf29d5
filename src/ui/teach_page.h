#pragma once
// The teach page: the teach grid (64 rows, five value columns and a colour
// column), the row number "No.:" and the teach buttons.
#include <QWidget>

#include "ui_teach_page.h"

namespace trivolux {

class TeachPage : public QWidget {
  Q_OBJECT
 public:
  explicit TeachPage(QWidget* parent = nullptr);
  Ui::TeachPage ui;
};

}  // namespace trivolux
