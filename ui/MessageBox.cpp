#include "MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <utility>

namespace tervane {

namespace {
MessageBoxHandler& Handler() {
  static MessageBoxHandler handler;
  return handler;
}
}  // namespace

void ShowMessageBox(QWidget* parent, const QString& text) {
  if (Handler()) {
    Handler()(parent, text);
    return;
  }
  QMessageBox::information(parent, QApplication::applicationDisplayName(), text,
                           QMessageBox::Ok);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  return std::exchange(Handler(), std::move(handler));
}

}  // namespace tervane
