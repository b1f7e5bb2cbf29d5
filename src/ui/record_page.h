#pragma once
// The record page: record mode, interval, counts, record file and the record buttons.
#include <QWidget>

#include "ui_record_page.h"

namespace trivolux {

class RecordPage : public QWidget {
  Q_OBJECT
 public:
  explicit RecordPage(QWidget* parent = nullptr);
  Ui::RecordPage ui;
};

}  // namespace trivolux
