#include "Artwork.h"

#include <QString>

static void InitFrameResources() { Q_INIT_RESOURCE(frame); }

namespace tervane {
namespace {

QIcon Load(const char* name) {
  static const bool loaded = [] {
    InitFrameResources();
    return true;
  }();
  (void)loaded;
  return QIcon(QStringLiteral(":/frame/") + QLatin1String(name));
}

}  // namespace

QIcon ProgramIcon() { return Load("program.svg"); }
QIcon RefreshIcon() { return Load("refresh.svg"); }
QIcon UpdateIcon() { return Load("update.svg"); }
QIcon AboutIcon() { return Load("about.svg"); }

}  // namespace tervane
