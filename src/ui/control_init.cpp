#include "ui/control_init.h"

#include <QEvent>
#include <QHeaderView>
#include <QPointer>

#include "ui/u16_delegate.h"

namespace trivolux {

void AssignRingValues(QComboBox* ring) {
  for (int i = 0; i < ring->count(); ++i) ring->setItemData(i, i);
}

int RingIndexOf(const QComboBox* ring, int value) {
  return ring->findData(value);
}

namespace {

class CaptionFollower : public QObject {
 public:
  CaptionFollower(QWidget* caption, QWidget* control) : QObject(control), caption_(caption) {}

  bool eventFilter(QObject*, QEvent* event) override {
    if (caption_ && event->type() == QEvent::ShowToParent) caption_->setVisible(true);
    if (caption_ && event->type() == QEvent::HideToParent) caption_->setVisible(false);
    return false;
  }

 private:
  QPointer<QWidget> caption_;
};

}  // namespace

void CaptionFollowsControl(QWidget* caption, QWidget* control) {
  control->installEventFilter(new CaptionFollower(caption, control));
  caption->setVisible(!control->isHidden());
}

void InitValueGrid(QTableWidget* grid, const QList<int>& textColumns) {
  auto* delegate = new U16Delegate(grid);
  for (int c = 0; c < grid->columnCount(); ++c) {
    if (!textColumns.contains(c)) grid->setItemDelegateForColumn(c, delegate);
  }
  for (int r = 0; r < grid->rowCount(); ++r) {
    for (int c = 0; c < grid->columnCount(); ++c) {
      auto* item = new QTableWidgetItem;
      if (textColumns.contains(c)) {
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
      } else {
        item->setData(Qt::DisplayRole, 0);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      }
      grid->setItem(r, c, item);
    }
  }
  grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
}

}  // namespace trivolux
