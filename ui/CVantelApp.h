#pragma once
// The application object. It owns the program settings, read from
// config.xml in the working directory as it is constructed, before any
// window exists.

#include <QApplication>
#include <memory>

#include "CConfig.h"

namespace tervane {

class CMainFrame;

class CVantelApp : public QApplication {
  Q_OBJECT

 public:
  CVantelApp(int& argc, char** argv);
  ~CVantelApp() override;

  // Builds and shows the main window; a document named on the command line
  // is opened. False when the program cannot start.
  bool InitInstance();

  CMainFrame* mainFrame() const { return frame_.get(); }
  static CVantelApp* instance() { return static_cast<CVantelApp*>(QApplication::instance()); }

  CConfig m_config;

 private:
  std::unique_ptr<CMainFrame> frame_;
};

}  // namespace tervane
