#include "TerminationSignal.h"

#include "FileDialog.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int g_signalSockets[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  // Only async-signal-safe work here: wake the GUI thread.
  [[maybe_unused]] const ssize_t written = ::write(g_signalSockets[0], &byte, 1);
}

// A file dialog's loop runs inside an action that still uses the console's
// objects: cancel the dialog, let the action return, then close.
void CloseWhenNoFileDialog(QPointer<QWidget> target) {
  if (!target) return;
  if (!TFileDialog::AnyExecuting()) {
    target->close();
    return;
  }
  if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
  QTimer::singleShot(50, target, [target] { CloseWhenNoFileDialog(target); });
}
}  // namespace

void CloseOnTerminationSignal(QWidget* window) {
  // One socket pair per process; each window installed gets its own notifier.
  if (g_signalSockets[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalSockets) != 0) return;
  auto* notifier = new QSocketNotifier(g_signalSockets[1], QSocketNotifier::Read, window);
  QPointer<QWidget> target(window);
  QObject::connect(notifier, &QSocketNotifier::activated, window, [target] {
    char byte = 0;
    [[maybe_unused]] const ssize_t got = ::read(g_signalSockets[1], &byte, 1);
    CloseWhenNoFileDialog(target);
  });
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}
