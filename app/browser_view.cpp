#include "app/browser_view.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QUrl>
#include <cstdio>

namespace {

QtMessageHandler forwarded_handler = nullptr;

// The engine, loaded after the application object exists, warns that it should
// have been set up before; the module does that setup itself at its first view.
void drop_late_start_warnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("Qt WebEngine seems to be initialized from a plugin")) ||
      message.startsWith(QLatin1String("Attribute Qt::AA_ShareOpenGLContexts must be set before")))
    return;
  forwarded_handler(type, context, message);
}

class LateStartWarningsDropped {
 public:
  LateStartWarningsDropped() { forwarded_handler = qInstallMessageHandler(drop_late_start_warnings); }
  ~LateStartWarningsDropped() { qInstallMessageHandler(forwarded_handler); }
  LateStartWarningsDropped(const LateStartWarningsDropped&) = delete;
  LateStartWarningsDropped& operator=(const LateStartWarningsDropped&) = delete;
};

// The module stays loaded until the process ends: the engine cannot be unloaded.
std::unique_ptr<BrowserEngine> load_engine(QWidget& container) {
  const LateStartWarningsDropped dropped;
  // Beside the program first, so a copied program finds its own module; else
  // where the build put it (test programs live in another folder).
  const QFileInfo built(QStringLiteral(BROWSER_MODULE_PATH));
  const QString beside = QCoreApplication::applicationDirPath() + QLatin1Char('/') + built.fileName();
  QLibrary module(QFileInfo::exists(beside) ? beside : built.filePath());
  const auto create = reinterpret_cast<CreateBrowserEngine>(module.resolve(kCreateBrowserEngineSymbol));
  if (create == nullptr) {
    std::fprintf(stderr, "The embedded browser cannot be loaded: %s\n", qPrintable(module.errorString()));
    return nullptr;
  }
  return std::unique_ptr<BrowserEngine>(create(&container));
}

}  // namespace

BrowserView::BrowserView(QWidget& container) : container_(container) {}

BrowserView::~BrowserView() = default;

void BrowserView::navigate(const QUrl& url) {
  if (engine_ == nullptr && !engine_unavailable_) {
    engine_ = load_engine(container_);
    engine_unavailable_ = engine_ == nullptr;
  }
  if (engine_ != nullptr) engine_->navigate(url);
}

QString BrowserView::document_text(const QString& property) {
  return engine_ == nullptr ? QString() : engine_->document_text(property);
}
