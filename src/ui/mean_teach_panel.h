#pragma once
// The mean-value teach panel: up to 100 captured frames, their mean and
// spread, and the tolerance choices for teaching the mean into a teach row.
// Child panel of the main panel.
#include <QWidget>

#include "ui_mean_teach_panel.h"

namespace trivolux {

class MeanTeachPanel : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kCaptureRows = 100;
  static constexpr int kColumns = 6;  // RED, GREEN, BLUE, X (s), Y (i), INT (M)

  explicit MeanTeachPanel(QWidget* parent = nullptr);
  Ui::MeanTeachPanel ui;
};

}  // namespace trivolux
