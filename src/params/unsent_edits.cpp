#include "params/unsent_edits.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QSpinBox>
#include <QTableWidget>

#include "params/param_panel_io.h"
#include "ui/panels.h"

namespace trivolux {

UnsentEdits::UnsentEdits(Panels& panels, QObject* parent) : QObject(parent), panels_(panels) {
  // One comparison after a burst of changes (a table reset changes 320 cells).
  compare_.setSingleShot(true);
  connect(&compare_, &QTimer::timeout, this, [this] { Pending(); });
  for (const WordControl& wc : ParameterControls(panels_)) {
    QWidget* c = wc.control;
    if (auto* ring = qobject_cast<QComboBox*>(c)) {
      connect(ring, &QComboBox::currentIndexChanged, this, &UnsentEdits::Schedule);
    } else if (auto* spin = qobject_cast<QSpinBox*>(c)) {
      connect(spin, &QSpinBox::valueChanged, this, &UnsentEdits::Schedule);
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(c)) {
      connect(slider, &QAbstractSlider::valueChanged, this, &UnsentEdits::Schedule);
    } else if (auto* check = qobject_cast<QAbstractButton*>(c)) {
      connect(check, &QAbstractButton::toggled, this, &UnsentEdits::Schedule);
    }
  }
  for (QTableWidget* grid : {panels_.teachPage().ui.GridTeach, panels_.groupHoldPage().ui.GridGroups,
                             panels_.groupHoldPage().ui.GridHold})
    connect(grid, &QTableWidget::itemChanged, this, &UnsentEdits::Schedule);
  MarkInSync();
}

void UnsentEdits::MarkInSync() {
  compare_.stop();
  GetPanelValues(panels_, &synced_);
  Update(false);
}

bool UnsentEdits::Pending() {
  compare_.stop();
  // Reserved teach words are not on the panels: they stay as kept.
  ParameterSet shown = synced_;
  GetPanelValues(panels_, &shown);
  Update(shown.block != synced_.block || shown.table != synced_.table);
  return pending_;
}

void UnsentEdits::Schedule() {
  if (!compare_.isActive()) compare_.start(0);
}

void UnsentEdits::Update(bool pending) {
  if (pending == pending_) return;
  pending_ = pending;
  emit pendingChanged(pending);
}

}  // namespace trivolux
