#include "ui/status_strip.h"

#include <QHBoxLayout>
#include <QResizeEvent>

#include "ui/led_indicator.h"

namespace trivolux {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidedLabel::SetFullText(const QString& text) {
  full_ = text;
  Elide();
  updateGeometry();
}

QSize ElidedLabel::sizeHint() const {
  const QMargins m = contentsMargins();
  return {fontMetrics().horizontalAdvance(full_) + m.left() + m.right() + 2 * margin(),
          QLabel::sizeHint().height()};
}

QSize ElidedLabel::minimumSizeHint() const {
  return {fontMetrics().horizontalAdvance(QStringLiteral("MMMM...")), QLabel::minimumSizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Elide();
}

void ElidedLabel::Elide() {
  const int room = contentsRect().width() - 2 * margin();
  const QString shown = fontMetrics().elidedText(full_, Qt::ElideMiddle, qMax(0, room));
  setText(shown);
  setToolTip(shown == full_ ? QString() : full_);
}

namespace {
QFrame* Separator(QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::VLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}
}  // namespace

StatusStrip::StatusStrip(QWidget* parent)
    : QFrame(parent),
      lamp_(new LedIndicator(this)),
      link_(new ElidedLabel(this)),
      rateLine_(Separator(this)),
      rate_(new QLabel(this)),
      notice_(new ElidedLabel(this)) {
  setFrameShape(QFrame::StyledPanel);
  setFrameShadow(QFrame::Sunken);
  lamp_->setObjectName(QStringLiteral("LedLink"));
  link_->setObjectName(QStringLiteral("LabelLink"));
  rate_->setObjectName(QStringLiteral("LabelFrameRate"));
  notice_->setObjectName(QStringLiteral("LabelNotice"));
  lamp_->setFixedSize(14, 14);
  link_->setAccessibleName(QStringLiteral("Connection"));
  rate_->setAccessibleName(QStringLiteral("Frame rate"));
  notice_->setAccessibleName(QStringLiteral("Last transfer"));
  rate_->setVisible(false);

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(6, 2, 6, 2);
  row->setSpacing(6);
  row->addWidget(lamp_);
  row->addWidget(link_, 2);
  row->addWidget(rateLine_);
  row->addWidget(rate_);
  row->addWidget(Separator(this));
  row->addWidget(notice_, 3);
  rateLine_->setVisible(false);

  noticeTimer_.setSingleShot(true);
  connect(&noticeTimer_, &QTimer::timeout, this, [this] { notice_->SetFullText(QString()); });
}

void StatusStrip::SetLink(const QColor& lamp, const QString& text) {
  lamp_->setOn(lamp.isValid());
  if (lamp.isValid()) lamp_->setOnColor(lamp);
  link_->SetFullText(text);
}

QColor StatusStrip::LampColour() const {
  return lamp_->isOn() ? lamp_->onColor() : QColor();
}

void StatusStrip::SetFrameRate(const QString& text) {
  if (rate_->text() != text) rate_->setText(text);
  const bool shown = !text.isEmpty();
  if (rate_->isVisibleTo(this) == shown) return;
  // The frame rate and its separator come and go together.
  rate_->setVisible(shown);
  rateLine_->setVisible(shown);
}

void StatusStrip::ShowNotice(const QString& text) {
  notice_->SetFullText(text);
  noticeTimer_.start(kNoticeMs);
}

}  // namespace trivolux
