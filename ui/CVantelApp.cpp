#include "CVantelApp.h"

#include "Artwork.h"
#include "CMainFrame.h"

namespace tervane {

CVantelApp::CVantelApp(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Tervane"));
  setApplicationDisplayName(QStringLiteral("Tervane"));
  setWindowIcon(ProgramIcon());
  // The main window is closed by File > Exit or the tray's Exit; the program
  // then ends, though the tray menu is a window of its own.
  setQuitOnLastWindowClosed(true);
}

CVantelApp::~CVantelApp() { frame_.reset(); }

bool CVantelApp::InitInstance() {
  frame_ = std::make_unique<CMainFrame>(m_config);
  if (!frame_->OnCreate()) return false;
  frame_->show();
  const QStringList args = arguments();
  if (args.size() > 1) frame_->OpenDocument(args.at(1));
  return true;
}

}  // namespace tervane
