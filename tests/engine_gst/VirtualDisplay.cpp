#include "VirtualDisplay.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

VirtualDisplay::VirtualDisplay() {
  int channel[2];
  if (pipe2(channel, O_CLOEXEC) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    // Xvfb picks a free display number itself and writes it to this descriptor.
    const int out = dup(channel[1]);
    const std::string fd = std::to_string(out);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "800x600x24", "-nolisten", "tcp",
           static_cast<char *>(nullptr));
    _exit(127);
  }
  close(channel[1]);
  std::string number;
  pollfd waiting{channel[0], POLLIN, 0};
  char c = 0;
  while (pid_ > 0 && poll(&waiting, 1, 10000) > 0 && read(channel[0], &c, 1) == 1 && c != '\n') number += c;
  close(channel[0]);
  if (!number.empty()) name_ = ":" + number;
}

VirtualDisplay::~VirtualDisplay() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
}
