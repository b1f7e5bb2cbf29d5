#include "ui/panel_setup.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>
#include <map>
#include <utility>

#include "ui/u16_delegate.h"

namespace trivolux {

void AssignRingIndexValues(QWidget* root) {
  for (QComboBox* ring : root->findChildren<QComboBox*>()) {
    for (int i = 0; i < ring->count(); ++i) {
      if (!ring->itemData(i).isValid()) ring->setItemData(i, i);
    }
  }
}

QStringList NumberedRowLabels(int count) {
  QStringList labels;
  for (int i = 1; i <= count; ++i) labels << QString::number(i);
  return labels;
}

QList<QAbstractItemDelegate*> CellEditors(const QTableWidget* grid) {
  QList<QAbstractItemDelegate*> editors{grid->itemDelegate()};
  for (int c = 0; c < grid->columnCount(); ++c) {
    QAbstractItemDelegate* own = grid->itemDelegateForColumn(c);
    if (own && !editors.contains(own)) editors << own;
  }
  return editors;
}

QString LeftCharacters(const QString& text, qsizetype maxChars) {
  qsizetype units = 0;
  for (qsizetype chars = 0; chars < maxChars && units < text.size(); ++chars)
    units +=
        text[units].isHighSurrogate() && units + 1 < text.size() && text[units + 1].isLowSurrogate() ? 2 : 1;
  return text.left(units);
}

bool LimitCharacters(QString& text, qsizetype maxChars, int* cursor) {
  const auto pairAt = [&text](qsizetype i) {
    return i > 0 && text[i].isLowSurrogate() && text[i - 1].isHighSurrogate();
  };
  qsizetype excess = -maxChars;
  for (qsizetype i = 0; i < text.size(); ++i) excess += pairAt(i) ? 0 : 1;
  if (excess <= 0) return false;
  qsizetype from = std::clamp<qsizetype>(*cursor, 0, text.size());
  const qsizetype end = from;
  for (; excess > 0 && from > 0; --excess) from -= pairAt(from - 1) ? 2 : 1;
  text.remove(from, end - from);
  *cursor = static_cast<int>(from);
  if (excess > 0) text = LeftCharacters(text, maxChars);
  *cursor = std::min(*cursor, static_cast<int>(text.size()));
  return true;
}

QValidator::State CharacterLimit::validate(QString& input, int& pos) const {
  LimitCharacters(input, maxChars_, &pos);
  return Acceptable;
}

QWidget* TextLimitDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const {
  QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
  // A line edit's own limit counts UTF-16 units and would split an emoji.
  if (auto* edit = qobject_cast<QLineEdit*>(editor)) edit->setValidator(new CharacterLimit(maxLength_, edit));
  return editor;
}

void SetUpGrid(QTableWidget* grid, const GridLayoutSpec& spec) {
  const int rows = static_cast<int>(spec.rowLabels.size());
  const int cols = static_cast<int>(spec.columns.size());
  grid->setRowCount(rows);
  grid->setColumnCount(cols);
  grid->setHorizontalHeaderLabels(spec.columnHeaders);
  grid->setVerticalHeaderLabels(spec.rowLabels);
  grid->verticalHeader()->setDefaultSectionSize(20);
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->horizontalHeader()->setMinimumSectionSize(14);
  grid->horizontalHeader()->setHighlightSections(false);
  grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
  auto* valueEditor = new U16Delegate(grid);
  for (int c = 0; c < cols; ++c) {
    switch (spec.columns[c]) {
      case GridColumn::Value:
        grid->setItemDelegateForColumn(c, valueEditor);
        if (spec.valuesFillWidth)
          grid->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Stretch);
        else
          grid->setColumnWidth(c, 42);
        break;
      case GridColumn::Text:
        grid->setItemDelegateForColumn(c, new TextLimitDelegate(spec.textMaxLength, grid));
        grid->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Stretch);
        break;
      case GridColumn::Colour:
        grid->setColumnWidth(c, 18);
        grid->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Fixed);
        break;
    }
  }
  grid->horizontalHeader()->setStretchLastSection(false);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      auto* item = new QTableWidgetItem;
      switch (spec.columns[c]) {
        case GridColumn::Value:
          item->setData(Qt::DisplayRole, spec.initialValue);
          item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
          break;
        case GridColumn::Text:
          item->setText(QString());
          break;
        case GridColumn::Colour:
          item->setFlags(Qt::ItemIsEnabled);
          break;
      }
      grid->setItem(r, c, item);
    }
  }
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

QPalette FullPalette(const QPalette& source) {
  QPalette full;
  for (int group = 0; group < QPalette::NColorGroups; ++group) {
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
      const auto g = static_cast<QPalette::ColorGroup>(group);
      const auto r = static_cast<QPalette::ColorRole>(role);
      full.setBrush(g, r, source.brush(g, r));
    }
  }
  return full;
}

void SetButtonColour(QPushButton* button, const QColor& colour) {
  // The style caches a button's painted face in the application's pixmap
  // cache (10 MB) under the palette's identity. A palette built anew at every
  // start and stop added new faces each time, about 14 KB per recording, until
  // the cache was full. So each colour is built once per natural palette and
  // reused; the set stays a handful (two colours, one natural palette).
  static std::map<std::pair<qint64, QRgb>, QPalette> palettes;
  const QPalette natural = QApplication::palette(button);
  auto found = palettes.find({natural.cacheKey(), colour.rgba()});
  if (found == palettes.end()) {
    QPalette pal = FullPalette(natural);
    pal.setColor(QPalette::Button, colour);
    found = palettes.emplace(std::make_pair(natural.cacheKey(), colour.rgba()), pal).first;
  }
  button->setPalette(found->second);
}

}  // namespace trivolux
