// Running the real engine where nothing it sends can leave the machine: the
// program re-executes itself inside a new network namespace whose only
// interface is loopback, with the IPv4 multicast range routed to it, plus a
// veth pair that carries the IPv6 groups ff15::/16.
#pragma once

#include <string>

// Returns inside the namespace (at once when already there). Exits with a
// message and kNoPrivateNetwork when no namespace can be made: the engine is
// never run outside one, and ctest counts that as skipped, not failed.
void enterPrivateNetwork(int argc, char **argv);
inline constexpr int kNoPrivateNetwork = 77;

// A fresh folder for the engine's files and GStreamer's plug-in registry,
// so runs never share a cache; set as OSTREL_HOME and GST_REGISTRY. Returns
// the folder (empty when none could be made) for the caller to remove.
std::string useTemporaryRegistryAndHome();
