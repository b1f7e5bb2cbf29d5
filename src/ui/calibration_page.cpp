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
  QPalette palette = factor->palette();
  palette.setColor(QPalette::Base,
                   out ? QColor(0xFF8080) : QApplication::palette(factor).color(QPalette::Base));
  factor->setPalette(palette);
  const QString note =
      out ? QStringLiteral("OUT OF RANGE! The sensor takes calibration factors from 0 to %1.")
                .arg(kMaxCalFactor)
          : QString();
  factor->setToolTip(note);
  factor->setAccessibleDescription(note);
}

}  // namespace trivolux
