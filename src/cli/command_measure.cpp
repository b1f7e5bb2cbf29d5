// measure: order-8 frames at an interval, one line each.
#include <QDateTime>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <chrono>

#include "base/event_wait.h"
#include "cli/cli_session.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/measure_format.h"
#include "cli/output.h"
#include "link/orders.h"

namespace trivolux::cli {

int RunMeasure(const Request& r, Session& session) {
  Output out(r.output, Output::Kind::Stream);
  if (!out.Open()) return kExitFile;
  SharedState& state = session.state();
  SensorLink& link = session.link();
  // Once connected, the first interrupt ends the run after the frame being
  // read is written: the exchange itself does not look at RunFlag, so that
  // line is complete. Before, it ends the command at once.
  session.SetFirstInterrupt([&] {
    if (state.SensorConnected)
      state.RunFlag = 0;
    else
      session.Abort();
  });
  if (const int code = session.Connect(r.connection); code != kExitOk) return code;
  state.RunFlag = 1;

  Progress progress(QStringLiteral("measure"), r.count);
  MeasurementRecord record;
  MeasureFormatter formatter(r.format);
  QElapsedTimer clock;
  clock.start();
  const auto interval = static_cast<qint64>(r.interval * 1e9);
  qint64 due = 0;  // ns: each request one interval after the previous one was due
  long long frames = 0;
  int code = kExitOk;
  for (;;) {
    if (link.Exchange(order::kMeasure, 0) != 1 || !link.AnswerLengthIs(MeasurementRecord::kBytes)) {
      code = session.LinkFailure();
      break;
    }
    record.Decode(link.AnswerData());
    QByteArray bytes = frames == 0 ? formatter.Header(r.panelId) : QByteArray();
    bytes += formatter.Line(QDateTime::currentMSecsSinceEpoch(), record);
    if (!out.Write(bytes)) {
      code = kExitFile;
      break;
    }
    ++frames;
    if (r.count > 0) progress.Show(frames);
    if ((r.count > 0 && frames >= r.count) || state.RunFlag != 1) break;
    due += interval;
    const qint64 left = due - clock.nsecsElapsed();
    if (left < 0) due -= left;  // a late pass is followed at once, without catching up
    if (left > 0)
      WaitUntil(
          state, [&state] { return state.RunFlag != 1; },
          QDeadlineTimer(std::chrono::nanoseconds(left), Qt::PreciseTimer));
    if (state.RunFlag != 1) break;
  }
  progress.Clear();
  // Every line written is complete: after a failure the frames read before
  // it are kept, and only a run without any frame leaves the target alone.
  if (frames == 0) {
    out.Discard();
    return code;
  }
  if (!out.Commit()) return kExitFile;
  if (code == kExitOk && session.Aborted()) return kExitInterrupted;
  return code;
}

}  // namespace trivolux::cli
