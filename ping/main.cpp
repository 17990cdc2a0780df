#include "CTolvexApp.h"

int main(int argc, char** argv) {
  tervane::CTolvexApp app(argc, argv);
  return app.InitInstance();
}
