// Entry of the real engine's tests: they run inside their own network
// namespace, on the real engine, with a registry and engine folder of their own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "NetworkNamespace.h"

int main(int argc, char **argv) {
  enterPrivateNetwork(argc, argv);
  unsetenv("OVSENDER_ENGINE");
  const std::string folder = useTemporaryRegistryAndHome();
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  std::error_code ignored;
  if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
  return result;
}
