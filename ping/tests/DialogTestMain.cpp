#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "TestNamespace.h"

int main(int argc, char** argv) {
  // Before Qt starts any thread of its own.
  tervane::test::PrepareNamespace();
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("QELT"));
  QCoreApplication::setApplicationName(QStringLiteral("tolvex"));
  // Host history goes to a folder of this run, never to the user's profile.
  QTemporaryDir profileDir;
  if (!profileDir.isValid()) return 1;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, profileDir.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, profileDir.path());
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
