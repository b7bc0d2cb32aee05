// The module behind the embedded browser: Qt WebEngine, loaded by BrowserView at
// the first navigation.

#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <memory>
#include <optional>

#include "app/browser_engine.h"

// Qt's own set-up step of the engine (the OpenGL context that every view shares).
// Qt runs it as the application object is built when the engine is linked to the
// program; loaded later, the engine needs it run before its first view.
namespace QtWebEngineCore {
void initialize();
}

namespace {

constexpr int kAnswerMs = 1000;

// A script string literal that holds `text` whatever its characters.
QString script_string(const QString& text) {
  QString literal = QStringLiteral("\"");
  for (const QChar unit : text)
    literal += QStringLiteral("\\u%1").arg(unit.unicode(), 4, 16, QLatin1Char('0'));
  return literal + QLatin1Char('"');
}

// Set on the page shown when the browser is sent to another address: until the
// new page replaces it, the old one (which may well show the next sentence) must
// not pass for the new one.
constexpr char kMarkReplacedScript[] = "window.replacedByNavigation = true;";

QString document_text_script(const QString& property) {
  return QStringLiteral(
             "(function (name) {"
             "  if (window.replacedByNavigation) return '';"
             "  var value = name === 'outerHTML' || name === 'innerText'"
             "      ? (document.documentElement ? document.documentElement[name] : '')"
             "      : document[name];"
             "  return value === undefined || value === null ? '' : String(value);"
             "})(%1)")
      .arg(script_string(property));
}

class WebEngineBrowser final : public BrowserEngine {
 public:
  explicit WebEngineBrowser(QWidget& container) : view_(new QWebEngineView(&container)) {
    auto* layout = new QVBoxLayout(&container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
  }

  void navigate(const QUrl& url) override {
    if (view_ == nullptr) return;
    // Loaded again, the page of the same address stays readable meanwhile.
    if (url != last_url_)
      view_->page()->runJavaScript(QLatin1String(kMarkReplacedScript), QWebEngineScript::ApplicationWorld);
    last_url_ = url;
    view_->load(url);
  }

  QString document_text(const QString& property) override {
    if (view_ == nullptr) return {};
    // The answer may come after the wait gave up, or never; it then lands in this
    // shared record, which no longer points at the finished loop.
    struct Answer {
      std::optional<QString> text;
      QEventLoop* waiting = nullptr;
    };
    const auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    answer->waiting = &loop;
    // The scripts run apart from the page's own, which cannot see or change what they use.
    view_->page()->runJavaScript(document_text_script(property), QWebEngineScript::ApplicationWorld,
                                 [answer](const QVariant& result) {
                                   answer->text = result.toString();
                                   if (answer->waiting != nullptr) answer->waiting->quit();
                                 });
    if (!answer->text) {
      QTimer::singleShot(kAnswerMs, &loop, &QEventLoop::quit);
      loop.exec();
    }
    answer->waiting = nullptr;
    return answer->text.value_or(QString());
  }

 private:
  // Owned by the container, which may go first.
  QPointer<QWebEngineView> view_;
  QUrl last_url_;
};

}  // namespace

extern "C" BrowserEngine* create_browser_engine(QWidget* container) {
  QtWebEngineCore::initialize();
  return new WebEngineBrowser(*container);
}
