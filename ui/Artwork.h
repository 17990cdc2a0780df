#pragma once
// Tervane's own pictures: the program icon and the toolbar images.

#include <QIcon>

namespace tervane {

QIcon ProgramIcon();       // application, About box and tray icon
QIcon RefreshIcon();
QIcon UpdateIcon();
QIcon AboutIcon();

}  // namespace tervane
