// Captions of the pages and panels: buddies, accessible names and Alt mnemonics.
#include <QAccessible>
#include <QPlainTextEdit>
#include <QtTest>
#include <memory>

#include "ui/big_colour_panel.h"
#include "ui/big_group_panel.h"
#include "ui/data_panel.h"
#include "ui/graph_panel.h"
#include "ui/main_panel.h"
#include "ui/mean_teach_panel.h"
#include "ui/password_panel.h"
#include "ui/rec_teach_panel.h"
#include "ui/scope_graph_panel.h"

using namespace trivolux;

namespace {

// Input controls without a caption on screen.
const QMap<QString, QString> kUncaptioned{
    {"DispPower", "shows the value of the POWER slider beside it, which carries the caption"},
    {"NumResetHold", "the value RESET writes into the hold grid, beside that button"},
    {"DispRecDays", "RECORD TIME box: its title and the unit suffix name the field"},
    {"DispRecHours", "RECORD TIME box: its title and the unit suffix name the field"},
    {"DispRecMinutes", "RECORD TIME box: its title and the unit suffix name the field"},
    {"DispRecSeconds", "RECORD TIME box: its title and the unit suffix name the field"},
    {"DispRecFile", "the only field of the RECORD FILE box, whose title names it"},
    {"DispMinMaxRed2", "second field of an extremes pair; the caption stands before the first"},
    {"DispMinMaxGreen2", "second field of an extremes pair; the caption stands before the first"},
    {"DispMinMaxBlue2", "second field of an extremes pair; the caption stands before the first"},
    {"DispStatus", "status line"},
    {"DispBigColourId", "big display window without captions"},
    {"DispBigColour", "big display window without captions"},
    {"DispBigGroupId", "big display window without captions"},
    {"DispBigGroup", "big display window without captions"},
};

std::unique_ptr<QWidget> MakePanel(const QString& name) {
  if (name == "main") return std::make_unique<MainPanel>();
  if (name == "data") return std::make_unique<DataPanel>();
  if (name == "graph") return std::make_unique<GraphPanel>();
  if (name == "mean teach") return std::make_unique<MeanTeachPanel>();
  if (name == "rec teach") return std::make_unique<RecTeachPanel>();
  if (name == "scope graph") return std::make_unique<ScopeGraphPanel>();
  if (name == "big colour") return std::make_unique<BigColourPanel>();
  if (name == "big group") return std::make_unique<BigGroupPanel>();
  return std::make_unique<PasswordPanel>();
}

void AddPanelRows() {
  QTest::addColumn<QString>("panel");
  for (const char* name : {"main", "data", "graph", "mean teach", "rec teach", "scope graph", "big colour",
                           "big group", "password"})
    QTest::newRow(name) << QString(name);
}

QList<QWidget*> InputControls(const QWidget* root) {
  QList<QWidget*> controls;
  for (QWidget* w : root->findChildren<QWidget*>()) {
    // The line edit inside a spin box or combo box is part of that control.
    const QWidget* p = w->parentWidget();
    if (qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QComboBox*>(p)) continue;
    if (qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w) ||
        qobject_cast<QSlider*>(w) || qobject_cast<QPlainTextEdit*>(w))
      controls << w;
  }
  return controls;
}

QHash<const QWidget*, QLabel*> CaptionsByControl(const QWidget* root) {
  QHash<const QWidget*, QLabel*> captions;
  for (QLabel* label : root->findChildren<QLabel*>()) {
    if (label->buddy()) captions.insert(label->buddy(), label);
  }
  return captions;
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT
 private slots:
  void everyInputControlHasACaption_data() { AddPanelRows(); }
  void everyInputControlHasACaption() {
    QFETCH(QString, panel);
    const auto root = MakePanel(panel);
    const auto captions = CaptionsByControl(root.get());
    for (const QWidget* control : InputControls(root.get())) {
      const bool listed = kUncaptioned.contains(control->objectName());
      QVERIFY2(captions.contains(control) != listed, qPrintable(control->objectName()));
    }
  }

  // On Linux a combo box reports its current text as name; screen readers take
  // its caption from the label relation, as for every other kind.
  void captionsNameTheirControls_data() { AddPanelRows(); }
  void captionsNameTheirControls() {
    QFETCH(QString, panel);
    const auto root = MakePanel(panel);
    const auto captions = CaptionsByControl(root.get());
    for (QWidget* control : InputControls(root.get())) {
      const QLabel* label = captions.value(control);
      if (!label) continue;
      const QString caption = QString(label->text()).remove('&');
      QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
      const auto relations = iface->relations(QAccessible::Label);
      QVERIFY2(!relations.isEmpty(), qPrintable(control->objectName()));
      QCOMPARE(relations.first().first->object(), label);
      QCOMPARE(relations.first().first->text(QAccessible::Name), caption);
      if (!qobject_cast<QComboBox*>(control)) QCOMPARE(iface->text(QAccessible::Name), caption);
    }
  }

  void everyCaptionOfAnInputHasAMnemonicUniqueOnItsPage_data() { AddPanelRows(); }
  void everyCaptionOfAnInputHasAMnemonicUniqueOnItsPage() {
    QFETCH(QString, panel);
    const auto root = MakePanel(panel);
    // Letters are unique on each main tab page, and on each other panel.
    QList<QWidget*> scopes{root.get()};
    if (auto* main = qobject_cast<MainPanel*>(root.get())) {
      scopes.clear();
      for (int i = 0; i < main->ui.TabMain->count(); ++i) scopes << main->ui.TabMain->widget(i);
    }
    for (const QWidget* scope : scopes) {
      QSet<QKeySequence> seen;
      for (const QLabel* label : scope->findChildren<QLabel*>()) {
        const QWidget* control = label->buddy();
        if (!control || control->focusPolicy() == Qt::NoFocus || control->property("readOnly").toBool())
          continue;
        const QKeySequence key = QKeySequence::mnemonic(label->text());
        QVERIFY2(!key.isEmpty() && !seen.contains(key), qPrintable(label->text()));
        seen.insert(key);
      }
    }
  }

  void altMnemonicFocusesAControlOnTheShownPage() {
    MainPanel main;
    main.ui.TabMain->setCurrentIndex(MainPanel::kParameterPage);
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QWidget* intlim = main.ui.PageParameter->ui.NumIntlim;
    const QKeySequence key = QKeySequence::mnemonic(CaptionsByControl(&main).value(intlim)->text());
    QTest::keySequence(main.windowHandle(), key);
    QCOMPARE(QApplication::focusWidget(), intlim);
  }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
