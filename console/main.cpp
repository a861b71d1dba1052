// ovSenderUI: the sender console.
#include "SenderArtwork.h"
#include "SenderMainForm.h"
#include "TerminationSignal.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  application.setWindowIcon(SenderIcon());
  TSenderMainForm form;
  // The engine could not start: end quietly, as if never started.
  if (!form.FormCreate()) return 0;
  CloseOnTerminationSignal(&form);
  form.show();
  return application.exec();
}
