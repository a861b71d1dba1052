// Entry of the real engine's tests: they run inside their own network
// namespace, on the real engine, with a registry and engine folder of their own.
#include <gtest/gtest.h>

#include <cstdlib>

#include "NetworkNamespace.h"

int main(int argc, char **argv) {
  enterPrivateNetwork(argc, argv);
  unsetenv("OVSENDER_ENGINE");
  useTemporaryRegistryAndHome();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
