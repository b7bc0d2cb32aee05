#include "app/browser_view.h"

#include <QCoreApplication>
#include <QDir>
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
  QLibrary module(browser_module_path());
  const auto create = reinterpret_cast<CreateBrowserEngine>(module.resolve(kCreateBrowserEngineSymbol));
  if (create == nullptr) {
    std::fprintf(stderr, "The embedded browser cannot be loaded: %s\n", qPrintable(module.errorString()));
    return nullptr;
  }
  return std::unique_ptr<BrowserEngine>(create(&container));
}

}  // namespace

// Beside the program first, so a copied program finds its own module; then where
// the package installs it; else where the build put it (test programs live in
// another folder).
QString browser_module_path() {
  const QFileInfo built(QStringLiteral(BROWSER_MODULE_PATH));
  const QString program_folder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
  for (const QString& folder :
       {program_folder, program_folder + QStringLiteral(INSTALLED_MODULE_FOLDER "/")}) {
    const QString candidate = QDir::cleanPath(folder + built.fileName());
    if (QFileInfo::exists(candidate)) return candidate;
  }
  return built.filePath();
}

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
