#include "app/user_guide.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>

#include "app/install_paths.h"
#include "base/version.h"
#include "ui/popups.h"

namespace trivolux {

namespace {
constexpr char kGuideFile[] = "user-guide.md";
// Screenshots are the program's full size (1200 px wide); shown smaller they
// fit the window without scrolling sideways.
constexpr int kMaxImageWidth = 840;

class GuideBrowser : public QTextBrowser {
 public:
  QVariant loadResource(int type, const QUrl& name) override {
    QVariant resource = QTextBrowser::loadResource(type, name);
    if (type != QTextDocument::ImageResource) return resource;
    QImage image = resource.userType() == QMetaType::QImage ? resource.value<QImage>()
                                                            : QImage::fromData(resource.toByteArray());
    if (image.width() > kMaxImageWidth) image = image.scaledToWidth(kMaxImageWidth, Qt::SmoothTransformation);
    return image.isNull() ? resource : QVariant(image);
  }
};
}  // namespace

QStringList UserGuideCandidates(const QString& programDir) {
  const QString installed = QDir(programDir).filePath(QLatin1String(kInstalledDocDirFromProgram));
  return {QDir::cleanPath(QDir(installed).filePath(QLatin1String(kGuideFile))),
          QDir(QLatin1String(kSourceDocDir)).filePath(QLatin1String(kGuideFile))};
}

bool RunsInstalled(const QString& programDir) {
  return QFileInfo(UserGuideCandidates(programDir).constFirst()).isFile();
}

UserGuide::UserGuide(QWidget& mainPanel, Popups& popups, QString programDir, QObject* parent)
    : QObject(parent), popups_(popups), programDir_(std::move(programDir)) {
  auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F1), &mainPanel);
  shortcut->setContext(Qt::ApplicationShortcut);
  connect(shortcut, &QShortcut::activated, this, &UserGuide::Open);
}

UserGuide::~UserGuide() = default;

void UserGuide::Open() {
  QString path;
  const QStringList candidates = UserGuideCandidates(programDir_);
  for (const QString& candidate : candidates) {
    if (QFileInfo(candidate).isFile()) {
      path = candidate;
      break;
    }
  }
  if (path.isEmpty()) {
    popups_.Message(QStringLiteral("ATTENTION!"),
                    QStringLiteral("The user guide was not found. It is looked for in:\n") +
                        QDir::toNativeSeparators(candidates.join(QLatin1Char('\n'))));
    return;
  }
  if (!window_) {
    window_ = std::make_unique<GuideBrowser>();
    window_->setObjectName(QStringLiteral("UserGuide"));
    window_->setWindowTitle(QLatin1String(kProgramTitle) + QStringLiteral(" - User guide"));
    window_->setOpenExternalLinks(true);
    window_->resize(900, 700);
    window_->setSource(QUrl::fromLocalFile(path), QTextDocument::MarkdownResource);
  }
  window_->show();
  window_->raise();
  window_->activateWindow();
}

}  // namespace trivolux
