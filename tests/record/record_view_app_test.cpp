// A record file written by a recording against the simulator, opened again
// with OPEN FILE: the graph panel's curves over time, the CSV export, and a
// file that cannot be shown.
#include <QtTest>
#include <memory>

#include "app_fixture.h"
#include "live/graph_panel_curves.h"
#include "params/panel_access.h"
#include "qcustomplot.h"
#include "record/record_controller.h"
#include "sim/simulator.h"
#include "ui/graph_panel.h"
#include "ui/panels.h"

namespace trivolux {

class RecordViewAppTest : public QObject {
  Q_OBJECT

  struct Rig {
    std::unique_ptr<sim::Simulator> sim = std::make_unique<sim::Simulator>();
    test::AppFixture fixture;
    Panels& panels = fixture.panels();
    Ui::RecordPage& r = panels.recordPage().ui;
    Rig() { fixture.StartTcp(sim->ListenTcp()); }
    void Answer(const QString& path, FileSelect result) { fixture.popups.files.push_back({result, path}); }
    // A fixed-count recording of `values` frames into name.
    QString Record(const QString& name, int values) {
      const QString path = fixture.Path(name);
      Answer(path, FileSelect::New);
      r.ButtonSelRecFile->click();
      SetRingValue(r.RingRecordMode, RecordController::kFixedCount);
      r.NumInterval->setValue(0.25);
      r.NumRecVal->setValue(values);
      r.ButtonStartRecord->click();
      return path;
    }
    void Open(const QString& path) {
      Answer(path, FileSelect::Existing);
      r.ButtonOpenRecFile->click();
    }
    QCPGraph* Curve(int signal) { return panels.graphPanel().GraphOf(signal)->graph(0); }
  };

 private slots:
  void aRecordingIsShownOverTimeAndExportedAsCsv() {
    Rig rig;
    const QString path = rig.Record("rec.dat", 3);
    // A line of the next day, and one that is no data line.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QList<QByteArray> lines = file.readAll().split('\n');
    lines.removeLast();
    QList<QByteArray> nextDay = lines.last().split('\t');
    const QDateTime last = QDateTime::fromString(nextDay[0] + nextDay[1], "MM-dd-yyyyHH:mm:ss");
    nextDay[0] = last.addDays(1).toString("MM-dd-yyyy").toLatin1();
    QVERIFY(file.write("broken line\r\n" + nextDay.join('\t') + '\n') > 0);
    file.close();
    lines << "" << nextDay.join('\t');

    rig.Open(path);
    QCOMPARE(rig.panels.mainPanel().ui.StackChild->currentWidget(), &rig.panels.graphPanel());
    QCOMPARE(rig.r.DispViewFile->text(), QDir::toNativeSeparators(path));
    QVERIFY(rig.r.ButtonExportCsv->isEnabled());
    // Each curve: one point per data line at its seconds after the first line.
    QDateTime first;
    for (int s = 0; s < GraphPanel::kSignals; ++s) {
      QCPGraph* curve = rig.Curve(s);
      QCOMPARE(curve->data()->size(), 4);
      QCOMPARE(curve->keyAxis()->label(), QString("time [s]"));
      int point = 0;
      for (const QByteArray& line : lines) {
        const QList<QByteArray> fields = line.trimmed().split('\t');
        const QDateTime when = QDateTime::fromString(fields[0] + fields.value(1), "MM-dd-yyyyHH:mm:ss");
        if (!when.isValid()) continue;
        if (!first.isValid()) first = when;
        const auto at = curve->data()->at(point++);
        QCOMPARE(at->key, double(first.secsTo(when)));
        QCOMPARE(at->value, fields[2 + SignalWord(s)].toDouble());
      }
      QVERIFY(curve->keyAxis()->range().contains(86400));
    }

    const QString csv = rig.fixture.Path("rec.csv");
    rig.Answer(csv, FileSelect::New);
    rig.r.ButtonExportCsv->click();
    QFile out(csv);
    QVERIFY(out.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = out.readAll().split('\n');
    QCOMPARE(rows.size(), 1 + 4 + 1);
    QVERIFY(rows[0].startsWith("DATE TIME,RED,GREEN,BLUE,X s,"));
    QVERIFY(rows[1].startsWith(first.toString(Qt::ISODate).toLatin1() + ','));

    // A new recording starts its own sweep over point numbers.
    rig.Record("rec2.dat", 2);
    QCOMPARE(rig.Curve(0)->data()->size(), 2);
    QCOMPARE(rig.Curve(0)->keyAxis()->label(), QString("point"));
  }

  void aFileThatCannotBeShownIsReportedAndTheShownOneStays() {
    Rig rig;
    const QString good = rig.Record("rec.dat", 2);
    rig.Open(good);
    const QString garbage = rig.fixture.Path("garbage.dat");
    QFile f(garbage);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(5000, '\n'));
    f.close();
    for (const QString& path : {garbage, rig.fixture.Path("missing.dat")}) {
      rig.fixture.popups.Clear();
      rig.Open(path);
      const auto messages = rig.fixture.popups.OfKind("message");
      QCOMPARE(messages.size(), std::size_t{1});
      QVERIFY(messages[0].text.contains(QDir::toNativeSeparators(path)));
      QCOMPARE(rig.r.DispViewFile->text(), QDir::toNativeSeparators(good));
      QCOMPARE(rig.Curve(0)->data()->size(), 2);
      QVERIFY(rig.r.ButtonOpenRecFile->isEnabled());
      QVERIFY(rig.r.ButtonExportCsv->isEnabled());
    }
  }
};

}  // namespace trivolux

QTEST_MAIN(trivolux::RecordViewAppTest)
#include "record_view_app_test.moc"
