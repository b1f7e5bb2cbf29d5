// The scope report on paper and in PDF: what PRINT and SAVE PDF write (read
// back with poppler's pdftotext, pdfimages and pdfinfo), the cancelled print
// dialog, failures, and the comment box cleared by a right double click.
#include <sys/resource.h>

#include <QtTest>
#include <csignal>

#include "app/scope_app.h"
#include "app_fixture.h"
#include "scope/scope_report_controller.h"
#include "sim/simulator.h"
#include "sim_rig.h"
#include "ui/panels.h"

namespace trivolux {

namespace {

// Runs a poppler tool on a PDF and returns its standard output.
QString Poppler(const QString& tool, const QStringList& args) {
  QProcess p;
  p.start(tool, args);
  if (!p.waitForFinished(30000) || p.exitCode() != 0) {
    qWarning() << tool << "failed (poppler-utils is installed by scripts/setup):" << p.errorString()
               << p.readAllStandardError();
    return QString();
  }
  return QString::fromUtf8(p.readAllStandardOutput());
}

QString PdfText(const QString& pdf) {
  return Poppler("pdftotext", {pdf, "-"});
}

// Image lines of "pdfimages -list" (two heading lines come first).
QStringList PdfImages(const QString& pdf) {
  QStringList lines = Poppler("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts);
  return lines.mid(2);
}

// True when no raster image in the PDF covers a sixteenth of the panel (a
// graph would): the panel was drawn as lines and text, not pasted as a
// screen bitmap. Small bitmaps of the style's frames and buttons remain.
bool NoPanelSizedImage(const QString& pdf, const QSize& panel) {
  for (const QString& line : PdfImages(pdf)) {
    const QStringList cols = line.simplified().split(' ');
    if (cols.value(3).toLongLong() * cols.value(4).toLongLong() * 16 >
        qint64(panel.width()) * panel.height()) {
      qWarning() << "raster image in the PDF:" << line;
      return false;
    }
  }
  return true;
}

int PdfPages(const QString& pdf) {
  const QString info = Poppler("pdfinfo", {pdf});
  const QRegularExpressionMatch m = QRegularExpression("Pages:\\s+(\\d+)").match(info);
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Files this process writes stop growing at `bytes` (writes beyond fail with
// EFBIG instead of raising SIGXFSZ): a full disk without mounting one.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : oldHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit old_{};
  void (*oldHandler_)(int);
};

}  // namespace

class ScopeReportTest : public QObject {
  Q_OBJECT

  struct Rig : test::SimRig {
    test::ScriptedPopups& popups = fixture.popups;
    ScopeReportController& report = fixture.app().scopeReport();
    Ui::ScopePage& sp = panels.scopePage().ui;
    Rig() { panels.ShowChildPanelDisp(&panels.scopeGraphPanel()); }
    void Fill(const QString& id, const QString& comment) {
      panels.connectPage().ui.StrID->setText(id);
      sp.TextScopeComment->setPlainText(comment);
    }
    QString Messages() {
      QString all;
      for (const auto& r : popups.OfKind("message")) all += r.title + "|" + r.text + "\n";
      return all;
    }
  };

 private slots:
  void printedReportHoldsItsLinesInOrderAndThePanelPicture() {
    struct Case {
      QString id, comment;
    };
    for (const Case& c : {Case{"LINE 4 SENSOR", "top line\nsecond line"}, Case{"", ""}}) {
      Rig rig;
      rig.Fill(c.id, c.comment);
      const QString pdf = rig.fixture.Path("printed.pdf");
      rig.popups.printerFiles = {pdf};
      rig.sp.ButtonPrintScopeGraph->click();
      QCOMPARE(rig.Messages(), QString("Info!|Print successful!\n"));

      const QString text = PdfText(pdf);
      QVERIFY(text.contains("Page 1 of 1"));
      QStringList expected = {"Scope Screen Shot", "TRIVOLUX VR Scope V1.2"};
      if (!c.id.isEmpty())
        expected << "PANEL ID: LINE 4 SENSOR"
                 << "COMMENT:"
                 << "top line"
                 << "second line";
      qsizetype at = 0;
      for (const QString& e : expected) {
        const qsizetype next = text.indexOf(e, at);
        QVERIFY2(next >= 0, qPrintable(e + " missing or out of order in:\n" + text));
        at = next + e.size();
      }
      QCOMPARE(text.contains("PANEL ID"), !c.id.isEmpty());
      QCOMPARE(text.contains("COMMENT:"), !c.comment.isEmpty());
      // The panel as vector drawing: its labels and tick labels are text.
      QVERIFY(NoPanelSizedImage(pdf, rig.panels.scopeGraphPanel().size()));
      for (const char* label : {"delta X [ms]", "sample", "digit", "4000", "ZOOM 1:1", "BIT0"})
        QVERIFY2(text.contains(label), label);
    }
  }

  void cancelledDialogPrintsAndSaysNothingAndFailuresAreReported() {
    Rig rig;
    rig.sp.ButtonPrintScopeGraph->click();
    QCOMPARE(rig.popups.OfKind("printer").size(), size_t(1));
    QVERIFY(rig.Messages().isEmpty());

    rig.popups.printerFiles = {rig.fixture.Path("missing/dir/printed.pdf")};
    rig.sp.ButtonPrintScopeGraph->click();
    QCOMPARE(rig.Messages(), QString("Info!|Print error \n"));
  }

  void longCommentContinuesOnTheNextPage() {
    Rig rig;
    QString comment;
    for (int i = 0; i < 200; ++i) comment += QString("line %1\n").arg(i);
    rig.Fill("ID", comment.left(ScopePage::kMaxCommentLength));
    const QString pdf = rig.fixture.Path("long.pdf");
    rig.popups.printerFiles = {pdf};
    rig.sp.ButtonPrintScopeGraph->click();
    const int pages = PdfPages(pdf);
    QVERIFY2(pages >= 2, qPrintable(QString::number(pages)));
    const QString text = PdfText(pdf);
    QVERIFY(text.contains(QString("Page %1 of %1").arg(pages)));
    QVERIFY(text.contains("line 0\n") && text.contains("line 125"));
    QCOMPARE(text.count("ZOOM 1:1"), 1);  // the panel once
  }

  // A comment without blanks wraps inside its word and is printed whole; a
  // character beyond the comment's limit is refused whole, also an emoji.
  void unbrokenCommentIsPrintedWhole() {
    Rig rig;
    QString word;
    for (int i = 0; word.size() < ScopePage::kMaxCommentLength; ++i) word += QString::number(i % 10);
    QPlainTextEdit* box = rig.sp.TextScopeComment;
    QTest::keyClicks(box, word.left(ScopePage::kMaxCommentLength - 1));
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, emoji, Qt::NoModifier);
    QTest::keyClicks(box, "xy");
    QCOMPARE(box->toPlainText(), word.left(ScopePage::kMaxCommentLength - 1) + emoji);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, word.right(1) + "x");
    QCOMPARE(box->toPlainText(), word);

    rig.popups.printerFiles = {rig.fixture.Path("word.pdf")};
    QTest::mouseClick(rig.sp.ButtonPrintScopeGraph, Qt::LeftButton);
    rig.popups.files = {{FileSelect::New, rig.fixture.Path("word-saved.pdf")}};
    QTest::mouseClick(rig.sp.ButtonSaveScopePdf, Qt::LeftButton);
    for (const char* pdf : {"word.pdf", "word-saved.pdf"}) {
      const QString text = PdfText(rig.fixture.Path(pdf)).remove(QRegularExpression("\\s"));
      QVERIFY2(text.contains(word), qPrintable(QString(pdf) + ":\n" + text));
    }
  }

  // Printing into a file on a full disk, or saving there, is an error, not a
  // success; the saved file is not left half written.
  void fullDiskIsReportedAsAnError() {
    Rig rig;
    rig.Fill("ID", "note");
    const QString whole = rig.fixture.Path("whole.pdf");
    rig.popups.printerFiles = {whole};
    rig.sp.ButtonPrintScopeGraph->click();
    const qint64 size = QFileInfo(whole).size();
    QVERIFY(size > 1000);
    rig.popups.Clear();
    const QString printed = rig.fixture.Path("printed.pdf"), saved = rig.fixture.Path("saved.pdf");
    {
      FileSizeLimit full(static_cast<rlim_t>(size / 2));
      rig.popups.printerFiles = {printed};
      QTest::mouseClick(rig.sp.ButtonPrintScopeGraph, Qt::LeftButton);
      rig.popups.files = {{FileSelect::New, saved}};
      QTest::mouseClick(rig.sp.ButtonSaveScopePdf, Qt::LeftButton);
    }
    const QStringList messages = rig.Messages().split('\n');
    QCOMPARE(messages.value(0), QString("Info!|Print error "));
    QCOMPARE(messages.value(1), "ATTENTION!|The scope report could not be saved in");
    QVERIFY(!QFile::exists(saved));
  }

  void savePdfWritesTheReportAndRemembersTheDirectory() {
    Rig rig;
    rig.Fill("ID 7", "note");
    QVERIFY(!rig.report.pdfDirectory.isEmpty());
    // A name typed without the suffix gets ".pdf".
    rig.popups.files = {{FileSelect::New, rig.fixture.Path("capture")}};
    rig.sp.ButtonSaveScopePdf->click();
    const QString pdf = rig.fixture.Path("capture.pdf");
    QCOMPARE(rig.Messages(),
             "Info!|The scope report has been saved in\n" + QDir::toNativeSeparators(pdf) + "\n");
    QVERIFY(PdfText(pdf).contains("PANEL ID: ID 7"));
    QVERIFY(NoPanelSizedImage(pdf, rig.panels.scopeGraphPanel().size()));
    QCOMPARE(PdfText(pdf).count("ZOOM 1:1"), 1);
    QCOMPARE(rig.report.pdfDirectory, QFileInfo(pdf).absolutePath());

    // The next dialog starts there; declining the overwrite keeps the file.
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    rig.popups.Clear();
    rig.popups.files = {{FileSelect::Existing, pdf}};
    rig.popups.confirms = {false};
    rig.sp.ButtonSaveScopePdf->click();
    QCOMPARE(rig.popups.fileRequests.at(0).directory, QFileInfo(pdf).absolutePath());
    QVERIFY(rig.Messages().isEmpty());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
    f.close();

    // A place that cannot be written is reported with the path, and a
    // cancelled dialog says nothing.
    rig.popups.Clear();
    const QString bad = rig.fixture.Path("missing/report.pdf");
    rig.popups.files = {{FileSelect::New, bad}, {FileSelect::None, QString()}};
    rig.sp.ButtonSaveScopePdf->click();
    QVERIFY(rig.Messages().startsWith("ATTENTION!|The scope report could not be saved in\n" +
                                      QDir::toNativeSeparators(bad) + "\n"));
    QVERIFY(!QFile::exists(bad));
    rig.popups.Clear();
    rig.sp.ButtonSaveScopePdf->click();
    QVERIFY(rig.Messages().isEmpty());
  }

  void rightDoubleClickClearsTheComment() {
    Rig rig;
    QWidget* viewport = rig.sp.TextScopeComment->viewport();
    rig.Fill("", "keep me");
    QTest::mouseDClick(viewport, Qt::LeftButton);
    QCOMPARE(rig.sp.TextScopeComment->toPlainText(), QString("keep me"));
    QTest::mouseDClick(viewport, Qt::RightButton);
    QVERIFY(rig.sp.TextScopeComment->toPlainText().isEmpty());
  }
};

}  // namespace trivolux

QTEST_MAIN(trivolux::ScopeReportTest)
#include "scope_report_test.moc"
