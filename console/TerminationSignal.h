// SIGTERM and SIGINT close the main window the ordinary way, so a session
// end or a Ctrl+C still stores the console's registry values.
#ifndef CONSOLE_TERMINATIONSIGNAL_H
#define CONSOLE_TERMINATIONSIGNAL_H

class QWidget;

void CloseOnTerminationSignal(QWidget* window);

#endif
