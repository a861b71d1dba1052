// Another sender on an IPv6 group is detected; our own packets on the group
// we send to never count.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "GroupReceiver.h"
#include "RealEngineFixture.h"
#include "ovSender.h"

namespace {

using namespace realengine;

TEST_F(RealEngine, DetectsAnotherSenderOnAnIPv6GroupButNeverItself) {
  {
    GroupReceiver probe(kGroup6, kVideoPort);
    if (!probe.ok() || std::system("ip -6 route show table local | grep -q ff15::/16") != 0)
      GTEST_SKIP() << "the namespace has no IPv6 multicast route";
  }
  const std::string other = "ff15::4209";
  ovSenderSetAddress(kGroup6);
  ovSenderAddMulticastDetector(other.c_str());
  ovSenderAddMulticastDetector(kGroup6);
  ovSenderSetStart(true);
  std::this_thread::sleep_for(300ms);  // the groups are joined on the engine's next rounds
  EXPECT_TRUE(waitUntil(
      [&] {
        sendForeignRtp(other, kVideoPort, 0x12345678);
        return ovSenderWasDetectedMulticast(other.c_str());
      },
      3s));
  ASSERT_TRUE(waitUntil([] { return ovSenderGetVideoSenderMainTransmissionRate() > 0; }, 5s));
  std::this_thread::sleep_for(1s);
  EXPECT_FALSE(ovSenderWasDetectedMulticast(kGroup6)) << "our own packets count as another sender";
  EXPECT_TRUE(waitUntil(
      [&] {
        sendForeignRtp(kGroup6, kAudioPort, 0x0badcafe);
        return ovSenderWasDetectedMulticast(kGroup6);
      },
      3s))
      << "a foreign sender on our own group still counts";
  ovSenderRemoveMulticastDetector(other.c_str());
  ovSenderRemoveMulticastDetector(kGroup6);
}

}  // namespace
