#pragma once
// The scope page: scope recording settings, cycle time and the scan buttons.
#include <QWidget>

#include "ui_scope_page.h"

namespace trivolux {

class ScopePage : public QWidget {
  Q_OBJECT
 public:
  explicit ScopePage(QWidget* parent = nullptr);
  Ui::ScopePage ui;
  static constexpr int kMaxCommentLength = 1023;
};

}  // namespace trivolux
