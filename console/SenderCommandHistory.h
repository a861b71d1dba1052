// ovSenderCommandHistory: the operation history of the Operation menu, with
// category names from the message table and the re-execution of settings
// files, sources and encoders.
#ifndef CONSOLE_SENDERCOMMANDHISTORY_H
#define CONSOLE_SENDERCOMMANDHISTORY_H

#include "ovCommandHistory.h"

class ovSenderCommandHistory : public ovCommandHistory {
public:
  using ovCommandHistory::ovCommandHistory;
  QString CategoryName(int category) const override;

protected:
  void ReExecute(TAction& entry, int category) override;
};

#endif
