// Without pseudo-terminals (Windows) the link never opens: the simulator
// serves TCP only, and --pty reports the failure.
#include "sim/links.h"

namespace trivolux::sim {

PtyLink::PtyLink(QObject* parent) : Link(parent) {}
PtyLink::~PtyLink() = default;
QString PtyLink::Open() {
  return {};
}
bool PtyLink::MakeSymlink(const QString&) {
  return false;
}
void PtyLink::Write(const QByteArray&) {}
void PtyLink::OnReadable() {}
void PtyLink::Flush() {}

}  // namespace trivolux::sim
