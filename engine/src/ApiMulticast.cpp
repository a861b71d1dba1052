// Multicast group, packet parameters and detection of other senders.
#include <algorithm>

#include "ApiSupport.h"
#include "Backend.h"
#include "MulticastAddress.h"

using namespace ovsim;

namespace {

bool contains(const std::vector<std::string> &list, const std::string &text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

}  // namespace

extern "C" {

const char *ovSenderGetAddress(void) { return loggedGetText("GetAddress", &EngineSettings::address); }
void ovSenderSetAddress(const char *address) { loggedSetText("SetAddress", &EngineSettings::address, address); }

const char *ovSenderCreateIPv4Address(void) {
  logCall("CreateIPv4Address");
  return returnedText(createIPv4MulticastAddress());
}

const char *ovSenderCreateIPv6Address(void) {
  logCall("CreateIPv6Address");
  return returnedText(createIPv6MulticastAddress());
}

int ovSenderGetTimeToLive(void) { return loggedGet("GetTimeToLive", &EngineSettings::timeToLive); }
void ovSenderSetTimeToLive(int ttl) { loggedSet("SetTimeToLive", &EngineSettings::timeToLive, ttl); }
int ovSenderGetPacketSize(void) { return loggedGet("GetPacketSize", &EngineSettings::packetSize); }
void ovSenderSetPacketSize(int bytes) { loggedSet("SetPacketSize", &EngineSettings::packetSize, bytes); }
int ovSenderGetTransmissionCount(void) { return loggedGet("GetTransmissionCount", &EngineSettings::transmissionCount); }
void ovSenderSetTransmissionCount(int count) { loggedSet("SetTransmissionCount", &EngineSettings::transmissionCount, count); }

// Each address is watched once, however often it is added.
void ovSenderAddMulticastDetector(const char *address) {
  logCall("AddMulticastDetector", address);
  if (!address) return;
  withEngine([&](EngineState &state) {
    if (!contains(state.detectors, address)) state.detectors.emplace_back(address);
  });
}

void ovSenderRemoveMulticastDetector(const char *address) {
  logCall("RemoveMulticastDetector", address);
  if (!address) return;
  withEngine([&](EngineState &state) { std::erase(state.detectors, std::string(address)); });
}

bool ovSenderWasDetectedMulticast(const char *address) {
  logCall("WasDetectedMulticast", address);
  if (!address) return false;
  return backend().detected(address);
}

}  // extern "C"
