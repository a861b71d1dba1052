#include <arpa/inet.h>

#include <set>

#include "EngineFixture.h"

namespace {

using MulticastTest = EngineTest;

TEST_F(MulticastTest, CreatedIPv4AddressesAreFreshAdministrativelyScopedGroups) {
  std::set<std::string> seen;
  for (int i = 0; i < 200; ++i) {
    const std::string text = ovSenderCreateIPv4Address();
    in_addr address{};
    ASSERT_EQ(::inet_pton(AF_INET, text.c_str(), &address), 1) << text;
    const uint32_t host = ntohl(address.s_addr);
    EXPECT_EQ(host >> 24, 239u) << text;
    EXPECT_NE(host & 0xff, 0u) << text;
    EXPECT_NE(host & 0xff, 255u) << text;
    EXPECT_TRUE(seen.insert(text).second) << "repeated " << text;
  }
}

TEST_F(MulticastTest, CreatedIPv6AddressesAreFreshSiteLocalTransientGroups) {
  std::set<std::string> seen;
  for (int i = 0; i < 200; ++i) {
    const std::string text = ovSenderCreateIPv6Address();
    in6_addr address{};
    ASSERT_EQ(::inet_pton(AF_INET6, text.c_str(), &address), 1) << text;
    EXPECT_EQ(address.s6_addr[0], 0xff) << text;
    EXPECT_EQ(address.s6_addr[1], 0x15) << text;
    EXPECT_TRUE(seen.insert(text).second) << "repeated " << text;
  }
}

TEST_F(MulticastTest, CreatedAddressesMakeAValidConfiguration) {
  ASSERT_TRUE(ovSenderInitialize(1));
  ovSenderSetAddress(ovSenderCreateIPv6Address());
  EXPECT_TRUE(ovSenderGetValid());
  ovSenderSetAddress(ovSenderCreateIPv4Address());
  EXPECT_TRUE(ovSenderGetValid());
}

TEST_F(MulticastTest, TrafficIsDetectedOnlyOnWatchedAddresses) {
  ovSenderSimSetMulticastDetected("239.1.2.3", true);
  EXPECT_FALSE(ovSenderWasDetectedMulticast("239.1.2.3"));
  ovSenderAddMulticastDetector("239.1.2.3");
  ovSenderAddMulticastDetector("239.1.2.3");
  ovSenderAddMulticastDetector("239.9.9.9");
  EXPECT_EQ(ovSenderSimMulticastDetectors(), (std::vector<std::string>{"239.1.2.3", "239.9.9.9"}));
  EXPECT_TRUE(ovSenderWasDetectedMulticast("239.1.2.3"));
  EXPECT_FALSE(ovSenderWasDetectedMulticast("239.9.9.9"));
  EXPECT_FALSE(ovSenderWasDetectedMulticast(nullptr));

  ovSenderRemoveMulticastDetector("239.1.2.3");
  EXPECT_FALSE(ovSenderWasDetectedMulticast("239.1.2.3"));
  ovSenderAddMulticastDetector("239.1.2.3");
  ovSenderSimSetMulticastDetected("239.1.2.3", false);
  EXPECT_FALSE(ovSenderWasDetectedMulticast("239.1.2.3"));
}

}  // namespace
