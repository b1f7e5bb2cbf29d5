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
#include <vector>

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

QPalette WithEveryRoleSet(const QPalette& from) {
  QPalette pal;
  for (int group = 0; group < QPalette::NColorGroups; ++group) {
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
      const auto g = static_cast<QPalette::ColorGroup>(group);
      const auto r = static_cast<QPalette::ColorRole>(role);
      pal.setBrush(g, r, from.brush(g, r));
    }
  }
  return pal;
}

void SetPaletteColours(QWidget* widget,
                       std::initializer_list<std::pair<QPalette::ColorRole, QColor>> colours) {
  // The style caches a control's painted face in the application's pixmap
  // cache (10 MB) under the palette's identity. A palette built anew at every
  // change (a start and stop, a reconnection) added new faces each time,
  // until the cache was full. A palette with every role set keeps its
  // identity through setPalette, so each set of colours is built once per
  // natural palette and reused; the sets stay a handful.
  using Key = std::pair<qint64, std::vector<std::pair<int, QRgb>>>;
  static std::map<Key, QPalette> palettes;
  const QPalette natural = QApplication::palette(widget);
  Key key{natural.cacheKey(), {}};
  for (const auto& [role, colour] : colours) key.second.emplace_back(role, colour.rgba());
  auto found = palettes.find(key);
  if (found == palettes.end()) {
    QPalette pal = WithEveryRoleSet(natural);
    for (const auto& [role, colour] : colours) pal.setColor(role, colour);
    found = palettes.emplace(std::move(key), pal).first;
  }
  widget->setPalette(found->second);
}

void SetButtonColour(QPushButton* button, const QColor& colour) {
  SetPaletteColours(button, {{QPalette::Button, colour}});
}

}  // namespace trivolux
