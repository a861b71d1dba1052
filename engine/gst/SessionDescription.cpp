#include "SessionDescription.h"

#include <filesystem>

#include "AtomicFile.h"
#include "StorePath.h"

namespace ovgst {
namespace {

bool isIPv6(const std::string &address) { return address.find(':') != std::string::npos; }

std::string connection(const PipelinePlan &plan) {
  // IPv4 multicast connections carry the TTL; IPv6 ones do not.
  if (isIPv6(plan.address)) return "c=IN IP6 " + plan.address + "\r\n";
  return "c=IN IP4 " + plan.address + "/" + std::to_string(plan.timeToLive) + "\r\n";
}

// Plain UDP datagrams of our own layout (docs/focus-protocol.md), named as a vendor media subtype.
std::string datagramStreams(bool sendsFocus) {
  std::string text;
  if (sendsFocus) text += "m=application " + std::to_string(kPointerPort) + " udp vnd.ostrel.focus\r\n";
  return text + "m=application " + std::to_string(kStatusPort) + " udp vnd.ostrel.status\r\n";
}

}  // namespace

std::string sessionDescription(const PipelinePlan &plan, bool sendsFocus) {
  const std::string family = isIPv6(plan.address) ? "IP6" : "IP4";
  std::string text =
      "v=0\r\no=- 0 0 IN " + family + " " + plan.address + "\r\ns=Ostrel Sender\r\n" + connection(plan) + "t=0 0\r\n";
  if (plan.sendVideo) {
    const std::string pt = std::to_string(kVideoPayloadType);
    text += "m=video " + std::to_string(kVideoMainPort) + " RTP/AVP " + pt + "\r\na=rtpmap:" + pt + " " +
            plan.videoCodec->encodingName + "/90000\r\n";
  }
  if (plan.sendVideo && plan.focus.sendsSub()) {
    // The region around the focus, a second picture in the same format.
    const std::string pt = std::to_string(kVideoPayloadType);
    text += "m=video " + std::to_string(kVideoSubPort) + " RTP/AVP " + pt + "\r\na=rtpmap:" + pt + " " +
            plan.videoCodec->encodingName + "/90000\r\n";
  }
  if (plan.sendAudio) {
    const std::string pt = std::to_string(kAudioPayloadType);
    text += "m=audio " + std::to_string(kAudioPort) + " RTP/AVP " + pt + "\r\na=rtpmap:" + pt + " " +
            plan.audioCodec->encodingName + "/" + std::to_string(plan.audioCodec->clockRate) + "/" +
            std::to_string(plan.audioCodec->channels) + "\r\n";
  }
  return text + datagramStreams(sendsFocus);
}

std::string sessionDescriptionPath() {
  return std::filesystem::path(ovsim::registryStorePath()).replace_filename("session.sdp").string();
}

void publishSessionDescription(const PipelinePlan *plan, bool sendsFocus) {
  const std::string path = sessionDescriptionPath();
  if (!plan || !plan->sending) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return;
  }
  if (ovsim::ensureFolderOf(path)) ovsim::writeFileAtomically(path, sessionDescription(*plan, sendsFocus));
}

}  // namespace ovgst
