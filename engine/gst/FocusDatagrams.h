// The two small datagram streams that go beside the pictures and the sound:
// the focus information (where the focus is and the region of the current
// mode) and the status (what the engine sends and how). Both layouts are in
// docs/focus-protocol.md; every number is big-endian (network byte order).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ovgst {

inline constexpr std::uint8_t kDatagramMagic[4] = {'O', 'S', 'T', 'R'};
inline constexpr int kDatagramVersion = 1;
inline constexpr std::size_t kDatagramHeaderSize = 20;
inline constexpr std::size_t kPointerDatagramSize = 40;
inline constexpr std::size_t kStatusDatagramSize = 64;
inline constexpr std::size_t kCodecNameSize = 8;
// A mask or blending field that the mode does not use.
inline constexpr int kUnusedType = 0xff;

enum class DatagramKind : std::uint8_t { Pointer = 1, Status = 2 };

struct PointerDatagram {
  std::uint32_t sequence = 0;
  std::uint64_t microseconds = 0;  // since 1970-01-01 00:00 UTC, when it was made
  int mode = 0;                    // 0 none, 1 partial zoom, 2 non-linear zoom, 3 image compound
  bool frameVisible = false;
  int maskType = kUnusedType;
  int blendingType = kUnusedType;
  int pictureWidth = 0;
  int pictureHeight = 0;
  int pointX = 0;
  int pointY = 0;
  int regionX = 0;  // may be negative: a mask that reaches past the left or top edge
  int regionY = 0;
  int regionWidth = 0;
  int regionHeight = 0;

  bool operator==(const PointerDatagram &) const = default;
};

struct StatusDatagram {
  std::uint32_t sequence = 0;
  std::uint64_t microseconds = 0;
  bool started = false;
  bool videoOn = false;
  bool audioOn = false;
  bool focusOn = false;
  bool frameVisible = false;
  int mode = 0;
  int copies = 1;
  int framesPerSecond = 0;
  int packetSize = 0;
  int mainWidth = 0;
  int mainHeight = 0;
  int subWidth = 0;  // 0 by 0 when the mode sends no second picture
  int subHeight = 0;
  int videoPayloadType = 0;
  int audioPayloadType = 0;
  std::string videoCodec;  // the RTP encoding name, at most 8 characters; empty when not sent
  std::string audioCodec;
  int partialZoomSourceCode = 0;
  int partialZoomOutputCode = 0;
  int nonLinearZoomOutputCode = 0;
  int nonLinearZoomMaskType = 0;
  int nonLinearZoomMaskWidth = 10;
  int nonLinearZoomMaskHeight = 10;
  int imageCompoundBaseCode = 0;
  int imageCompoundAdditionalCode = 0;
  int imageCompoundMaskType = 0;
  int imageCompoundBlendingType = 0;

  bool operator==(const StatusDatagram &) const = default;
};

// Values outside a field's range are pinned to it; names are cut at 8 bytes.
std::vector<std::uint8_t> encode(const PointerDatagram &datagram);
std::vector<std::uint8_t> encode(const StatusDatagram &datagram);

// Nothing for a datagram of another kind, another version, one cut short, or
// one whose fields are out of range. Bytes past the known layout are ignored:
// later revisions of version 1 may only append fields.
std::optional<PointerDatagram> decodePointer(std::span<const std::uint8_t> bytes);
std::optional<StatusDatagram> decodeStatus(std::span<const std::uint8_t> bytes);

}  // namespace ovgst
