#include "teach/teach_grid_menu.h"

#include <QMenu>
#include <QTableWidget>

#include "base/help_catalogue.h"
#include "ui/panels.h"
#include "ui/popups.h"

namespace trivolux {

TeachGridMenu::TeachGridMenu(Panels& panels, Popups& popups, QObject* parent)
    : QObject(parent), panels_(panels), popups_(popups) {}

void TeachGridMenu::Build() {
  if (menu_) return;
  QTableWidget* grid = panels_.teachPage().ui.GridTeach;
  menu_ = new QMenu(grid);
  menu_->setObjectName(QStringLiteral("MenuGridTeach"));
  help_ = menu_->addAction(QStringLiteral("Help"));
  menu_->addSeparator();
  setSelectionTo_ = menu_->addAction(QStringLiteral("Set selection to"));
  incrementSelectionWith_ = menu_->addAction(QStringLiteral("Increment selection with"));
  resetSelection_ = menu_->addAction(QStringLiteral("Reset selection"));
  menu_->addSeparator();
  teachTolOff_ = menu_->addAction(QStringLiteral("Teach tolerance off"));
  teachTolOn_ = menu_->addAction(QStringLiteral("Teach tolerance on"));
  teachTolOn_->setEnabled(false);
  connect(help_, &QAction::triggered, this, &TeachGridMenu::CBF_GridCttHelp);
  connect(setSelectionTo_, &QAction::triggered, this, &TeachGridMenu::setSelectionToRequested);
  connect(incrementSelectionWith_, &QAction::triggered, this,
          &TeachGridMenu::incrementSelectionWithRequested);
  connect(resetSelection_, &QAction::triggered, this, &TeachGridMenu::resetSelectionRequested);
  connect(teachTolOff_, &QAction::triggered, this, &TeachGridMenu::teachToleranceOffRequested);
  connect(teachTolOn_, &QAction::triggered, this, &TeachGridMenu::teachToleranceOnRequested);
  grid->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(grid, &QWidget::customContextMenuRequested, this,
          [this, grid](const QPoint& pos) { menu_->popup(grid->viewport()->mapToGlobal(pos)); });
}

void TeachGridMenu::CBF_GridCttHelp() {
  if (const HelpEntry* help = FindHelp(QStringLiteral("CBF_GridCttHelp")))
    popups_.Message(QString::fromUtf8(help->title), QString::fromUtf8(help->text));
}

}  // namespace trivolux
