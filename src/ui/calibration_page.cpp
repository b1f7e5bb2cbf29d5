#include "ui/calibration_page.h"

#include <QApplication>

#include "ui/mnemonics.h"
#include "ui/panel_setup.h"

namespace trivolux {

CalibrationPage::CalibrationPage(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  AssignMnemonics(this);
  AssignRingIndexValues(this);
  for (QSpinBox* factor : {ui.NumCFR, ui.NumCFG, ui.NumCFB}) {
    connect(factor, &QSpinBox::valueChanged, this, [this, factor] { MarkRange(factor); });
    MarkRange(factor);
  }
}

void CalibrationPage::MarkRange(QSpinBox* factor) {
  const bool out = OutOfRange(factor);
  SetPaletteColours(factor, {{QPalette::Base,
                              out ? QColor(0xFF8080) : QApplication::palette(factor).color(QPalette::Base)}});
  const QString note =
      out ? QStringLiteral("OUT OF RANGE! The sensor takes calibration factors from 0 to %1.")
                .arg(kMaxCalFactor)
          : QString();
  // The note goes before the control's own tool tip (its help text) and
  // leaves it as it was once the factor is valid again.
  const char* kOwnTip = "ownToolTip";
  if (!factor->property(kOwnTip).isValid()) factor->setProperty(kOwnTip, factor->toolTip());
  const QString own = factor->property(kOwnTip).toString();
  factor->setToolTip(out ? (own.isEmpty() ? note : note + QStringLiteral("\n\n") + own) : own);
  if (!out) factor->setProperty(kOwnTip, QVariant());
  factor->setAccessibleDescription(note);
}

}  // namespace trivolux
