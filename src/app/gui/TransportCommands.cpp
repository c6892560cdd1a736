#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

#include "app/gui/MainTransportView.h"
#include "app/gui/TMainForm.h"
#include "audio/Transport.h"

namespace slicewright {
namespace {

// Hands key presses meant for any control of the main window to the window
// first, as the transport keys work wherever the focus is.
class KeyPreview : public QObject {
 public:
  KeyPreview(QObject* parent, std::function<bool(QObject*, QKeyEvent*)> preview)
      : QObject(parent), preview_(std::move(preview)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && preview_(watched, static_cast<QKeyEvent*>(event))) return true;
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<bool(QObject*, QKeyEvent*)> preview_;
};

}  // namespace

void TMainForm::ConnectTransport() {
  transportView_ = std::make_unique<MainTransportView>(*this);
  transport_ = std::make_unique<Transport>(doc_, WaveAudio1, SuperTimer1, *transportView_);
  connect(Button3, &QPushButton::clicked, this, &TMainForm::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TMainForm::Button4Click);
  connect(Button20, &QPushButton::clicked, this, &TMainForm::Button20Click);
  connect(Button24, &QPushButton::clicked, this, &TMainForm::Button24Click);
  qApp->installEventFilter(
      new KeyPreview(this, [this](QObject* target, QKeyEvent* event) { return PreviewKey(target, event); }));
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive) {
      AppActivate();
    } else {
      AppDeActivate();
    }
  });
}

void TMainForm::Button3Click() { transport_->PlayAll(); }
void TMainForm::Button4Click() { transport_->PlaySelected(); }
void TMainForm::Button20Click() { transport_->ToggleLoop(); }
void TMainForm::Button24Click() { transport_->Stop(); }

bool TMainForm::FormKeyPress(QChar key) {
  if (!doc_.HasFile() || key.unicode() > 0x7F) return false;
  return transport_->KeyPressed(static_cast<char>(key.unicode()));
}

bool TMainForm::PreviewKey(QObject* target, QKeyEvent* event) {
  auto* widget = qobject_cast<QWidget*>(target);
  if (widget == nullptr || widget->window() != this || QApplication::activeModalWidget() != nullptr)
    return false;
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QString text = event->text();
  return text.size() == 1 && FormKeyPress(text.front());
}

void TMainForm::AppActivate() {
  if (!Closing) transport_->AppActivate();
}

void TMainForm::AppDeActivate() {
  if (!Closing) transport_->AppDeActivate();
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  // Without any output device the program cannot do its work: it says so
  // and ends without writing its configuration.
  if (!transport_->CheckSoundDevice()) {
    Closing = true;
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(NoSoundDeviceExitStatus); });
  }
}

}  // namespace slicewright
