#include "NetworkNamespace.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr const char *kInsideMarker = "OSTREL_TEST_NETNS";

// IPv6 multicast does not loop over lo, so a veth pair of the namespace's own
// carries it (duplicate address detection off, so it works at once); where
// that fails the IPv6 cases find no route and say so.
const char *kSetupScript =
    "ip link set lo up && ip route add 224.0.0.0/4 dev lo || exit 1;"
    " { echo 0 > /proc/sys/net/ipv6/conf/default/accept_dad && ip link add v0 type veth peer name v1"
    " && ip link set v0 up && ip link set v1 up && ip -6 route add ff15::/16 dev v0 table local; } 2> /dev/null;"
    " exec \"$0\" \"$@\"";

bool works(const char *command) { return std::system(command) == 0; }

// unshare -rn needs no privileges where user namespaces are allowed; -n needs root.
const char *unshareFlags() {
  if (works("unshare -rn true > /dev/null 2>&1")) return "-rn";
  if (works("unshare -n true > /dev/null 2>&1")) return "-n";
  return nullptr;
}

}  // namespace

void enterPrivateNetwork(int argc, char **argv) {
  if (std::getenv(kInsideMarker)) return;
  const char *flags = unshareFlags();
  if (!flags) {
    std::fprintf(stderr, "No network namespace can be made here; the real engine is not run outside one.\n");
    std::exit(kNoPrivateNetwork);
  }
  setenv(kInsideMarker, "1", 1);
  std::vector<char *> args = {const_cast<char *>("unshare"), const_cast<char *>(flags),
                              const_cast<char *>("--"),      const_cast<char *>("sh"),
                              const_cast<char *>("-c"),      const_cast<char *>(kSetupScript)};
  std::string self = std::filesystem::canonical("/proc/self/exe").string();
  args.push_back(self.data());
  for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
  args.push_back(nullptr);
  execvp("unshare", args.data());
  std::perror("unshare");
  std::exit(1);
}

std::string useTemporaryRegistryAndHome() {
  char folder[] = "/tmp/ovsender-gst-XXXXXX";
  if (!mkdtemp(folder)) return {};
  setenv("GST_REGISTRY", (std::string(folder) + "/registry.bin").c_str(), 1);
  setenv("OSTREL_HOME", folder, 1);
  return folder;
}
