#include "forms/runtime.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace forms {

namespace {
std::function<void()>& hook() {
  static std::function<void()> h;
  return h;
}
}  // namespace

void setDoEventsHook(std::function<void()> h) { hook() = std::move(h); }

void doEvents() {
  if (auto h = hook()) h();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void waitForEvents() {
  if (auto h = hook()) {
    h();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return;
  }
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void messageBox(QWidget* parent, const QString& text, const QString& title) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace forms
