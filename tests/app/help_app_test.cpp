// Right-click help in the assembled program: every catalogue entry has a
// control on the panels ScopeApp builds, a right click shows exactly its
// title and text, and nothing changes or starts.
#include <QtTest>

#include "app_fixture.h"
#include "base/help_catalogue.h"
#include "base/shared_state.h"
#include "ui/panels.h"

using trivolux::FindHelp;
using trivolux::HelpEntries;
using trivolux::HelpEntryCount;
using trivolux::test::AppFixture;

namespace {

QString ValueOf(QWidget* w) {
  if (auto* b = qobject_cast<QAbstractSpinBox*>(w)) return b->text();
  if (auto* c = qobject_cast<QComboBox*>(w)) return QString::number(c->currentIndex()) + c->currentText();
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  if (auto* t = qobject_cast<QPlainTextEdit*>(w)) return t->toPlainText();
  if (auto* a = qobject_cast<QAbstractButton*>(w)) return QString::number(a->isChecked());
  if (auto* s = qobject_cast<QAbstractSlider*>(w)) return QString::number(s->value());
  if (auto* tab = qobject_cast<QTabWidget*>(w)) return QString::number(tab->currentIndex());
  if (auto* g = qobject_cast<QTableWidget*>(w)) {
    QString cells;
    for (int r = 0; r < g->rowCount(); ++r)
      for (int c = 0; c < g->columnCount(); ++c)
        if (g->item(r, c)) cells += g->item(r, c)->data(Qt::DisplayRole).toString() + ",";
    return cells;
  }
  return QString();
}

}  // namespace

class HelpAppTest : public QObject {
  Q_OBJECT
 private slots:
  void everyEntryShowsItsTextOnTheAssembledPanels() {
    AppFixture fixture;
    trivolux::test::ScriptedPopups& popups = fixture.popups;
    trivolux::Panels& panels = fixture.panels();
    const QList<QWidget*> roots = {&panels.mainPanel(), &panels.bigColourPanel(), &panels.bigGroupPanel(),
                                   &panels.passwordPanel()};
    for (QWidget* root : roots) root->show();
    QHash<QString, QList<QWidget*>> byCallback;
    QHash<QWidget*, QString> before;
    int fired = 0;
    for (QWidget* root : roots) {
      for (QWidget* w : root->findChildren<QWidget*>()) {
        before[w] = ValueOf(w);
        const QString cb = w->property("cbf").toString();
        if (!cb.isEmpty()) byCallback[cb] << w;
        if (auto* b = qobject_cast<QAbstractButton*>(w))
          connect(b, &QAbstractButton::clicked, [&] { ++fired; });
      }
    }
    QStringList missing;
    for (std::size_t i = 0; i < HelpEntryCount(); ++i) {
      const QString cb = QString::fromLatin1(HelpEntries()[i].callback);
      if (cb != "CBF_GridCttHelp" && !byCallback.contains(cb)) missing << cb;
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));

    for (auto it = byCallback.cbegin(); it != byCallback.cend(); ++it) {
      const auto* entry = FindHelp(it.key());
      if (!entry) continue;
      for (QWidget* control : it.value()) {
        QWidget* target = control;
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(control)) target = spin->findChild<QLineEdit*>();
        if (auto* view = qobject_cast<QAbstractScrollArea*>(control)) target = view->viewport();
        if (auto* tabs = qobject_cast<QTabWidget*>(control)) target = tabs->tabBar();
        popups.Clear();
        QTest::mouseClick(target, Qt::RightButton, {}, QPoint(3, 3));
        QVERIFY2(popups.record.size() == 1, qPrintable(control->objectName()));
        QCOMPARE(popups.record[0].kind, QString("message"));
        QCOMPARE(popups.record[0].title, QString::fromUtf8(entry->title));
        QCOMPARE(popups.record[0].text, QString::fromUtf8(entry->text));
      }
    }
    for (auto it = before.cbegin(); it != before.cend(); ++it)
      QVERIFY2(ValueOf(it.key()) == it.value(), qPrintable(it.key()->objectName()));
    QCOMPARE(fired, 0);
    QVERIFY(!fixture.state().RunFlag);
  }
};

QTEST_MAIN(HelpAppTest)
#include "help_app_test.moc"
