// The desktop program: start-up, the windows and the message loop.
#include "app/StartUp.h"
#include "app/dialogs/QtDialogs.h"

int main(int argc, char** argv) {
  telvoran::QtDialogs dialogs;
  return telvoran::RunTelvoran(argc, argv, dialogs);
}
