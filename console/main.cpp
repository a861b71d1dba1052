// ovSenderUI: the sender console.
#include "SenderApplication.h"
#include "SenderArtwork.h"
#include "SenderMainForm.h"
#include "TerminationSignal.h"

int main(int argc, char** argv) {
  TSenderApplication application(argc, argv);
  application.setWindowIcon(SenderIcon());
  TSenderMainForm form;
  // Catch the signals before start-up begins: one arriving while the form
  // reads its values waits in the socket until the loop runs, then closes.
  CloseOnTerminationSignal(&form);
  // The engine could not start: end quietly, as if never started.
  if (!form.FormCreate()) return 0;
  form.show();
  return application.exec();
}
