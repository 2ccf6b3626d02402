// The desktop program: start-up, the windows and the message loop.
#include "shell/QtDialogs.h"
#include "shell/StartUp.h"

int main(int argc, char** argv) {
  telvoran::QtDialogs dialogs;
  return telvoran::RunTelvoran(argc, argv, dialogs);
}
