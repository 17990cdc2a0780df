#include "CTolvexApp.h"

#include <QApplication>
#include <QFileInfo>
#include <QStringList>

#include "CTolvexDlg.h"

namespace tervane {

namespace {
char g_fallbackName[] = "tolvex";
}

CTolvexApp::CTolvexApp(int argc, char** argv)
    : m_qtArgv{argc > 0 && argv[0] != nullptr ? argv[0] : g_fallbackName, nullptr},
      m_host(CommandLineHost(argc, argv)),
      m_profileName(ProfileName(m_qtArgv[0])) {}

QString CTolvexApp::CommandLineHost(int argc, char** argv) {
  QStringList words;
  for (int i = 1; i < argc; ++i) words << QString::fromLocal8Bit(argv[i]);
  return words.join(QLatin1Char(' '));
}

QString CTolvexApp::ProfileName(const char* programPath) {
  return QFileInfo(QString::fromLocal8Bit(programPath)).completeBaseName();
}

int CTolvexApp::InitInstance() {
  QApplication app(m_qtArgc, m_qtArgv);
  QCoreApplication::setOrganizationName(QStringLiteral("QELT"));
  QCoreApplication::setApplicationName(m_profileName);
  // The dialog's destruction waits for a run in progress to end, so the
  // process outlives the window by at most that run.
  CTolvexDlg dialog(m_host);
  dialog.exec();
  return 0;
}

}  // namespace tervane
