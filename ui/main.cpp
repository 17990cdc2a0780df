// Tervane: finds the access points and client bridges on the segment and
// edits their settings.
#include "CVantelApp.h"

int main(int argc, char** argv) {
  tervane::CVantelApp app(argc, argv);
  if (!app.InitInstance()) return 1;
  return app.exec();
}
