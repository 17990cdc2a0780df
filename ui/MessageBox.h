#pragma once
// Every message box of Tervane goes through here: an application message
// box with an OK button. Tests install a handler to collect the texts
// instead of blocking on a modal box.

#include <QString>
#include <functional>

class QWidget;

namespace tervane {

using MessageBoxHandler = std::function<void(QWidget* parent, const QString& text)>;

void ShowMessageBox(QWidget* parent, const QString& text);

// Replaces the message box; an empty handler restores it. Returns the
// handler that was installed before.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace tervane
