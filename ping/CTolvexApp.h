#pragma once
// The Tolvex program: one dialog, shown until it is closed.

#include <QString>

namespace tervane {

class CTolvexApp {
 public:
  CTolvexApp(int argc, char** argv);

  // Shows the dialog and returns the exit code once it has closed and the
  // run in progress, if any, has ended.
  int InitInstance();

  // The host to ping: every argument after the program name, joined by
  // spaces; empty when there are none. None of it is an option.
  static QString CommandLineHost(int argc, char** argv);
  // The profile name: the executable's name without folder and extension.
  static QString ProfileName(const char* programPath);

 private:
  // Qt is given the program name only, so that a host text such as
  // "-platform" or "-style" is never taken as one of Qt's options.
  int m_qtArgc = 1;
  char* m_qtArgv[2];
  QString m_host;
  QString m_profileName;
};

}  // namespace tervane
