// ovSenderUI: the sender console.
#include "SenderApplication.h"
#include "SenderArtwork.h"
#include "SenderMainForm.h"
#include "TerminationSignal.h"

int main(int argc, char** argv) {
  TSenderApplication application(argc, argv);
  application.setWindowIcon(SenderIcon());
  TSenderMainForm form;
  // The engine could not start: end quietly, as if never started.
  if (!form.FormCreate()) return 0;
  CloseOnTerminationSignal(&form);
  form.show();
  return application.exec();
}
