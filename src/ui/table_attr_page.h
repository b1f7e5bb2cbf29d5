#pragma once
// The table-attributes page: row colours and row specifications of the 64 teach rows.
#include <QWidget>

#include "ui_table_attr_page.h"

namespace trivolux {

class TableAttrPage : public QWidget {
  Q_OBJECT
 public:
  explicit TableAttrPage(QWidget* parent = nullptr);
  Ui::TableAttrPage ui;
};

}  // namespace trivolux
