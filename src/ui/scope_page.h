#pragma once
// The scope page: scope recording settings, cycle time, the scan and report
// buttons and the comment printed with the report.
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include "ui_scope_page.h"

namespace trivolux {

class ScopePage : public QWidget {
  Q_OBJECT
 public:
  explicit ScopePage(QWidget* parent = nullptr);
  Ui::ScopePage ui;
  static constexpr int kMaxCommentLength = 1023;

 public slots:
  // A right double click on the comment clears it.
  void CBF_EditScopeComment();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowCommentMenu(const QPoint& globalPos);
  // A right click opens the comment's menu only once it is clear that no
  // second click makes it a double click.
  QTimer menuDelay_;
  QPoint menuPos_;
};

}  // namespace trivolux
