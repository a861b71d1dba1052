#include "FocusDatagrams.h"

#include <algorithm>
#include <cstring>

namespace ovgst {
namespace {

class Writer {
 public:
  explicit Writer(std::size_t size) { bytes_.reserve(size); }
  void u8(int value) { bytes_.push_back(static_cast<std::uint8_t>(std::clamp(value, 0, 0xff))); }
  void u16(int value) { unsigned16(static_cast<std::uint16_t>(std::clamp(value, 0, 0xffff))); }
  void i16(int value) { unsigned16(static_cast<std::uint16_t>(static_cast<std::int16_t>(std::clamp(value, -32768, 32767)))); }
  void u32(std::uint32_t value) {
    unsigned16(static_cast<std::uint16_t>(value >> 16));
    unsigned16(static_cast<std::uint16_t>(value));
  }
  void u64(std::uint64_t value) {
    u32(static_cast<std::uint32_t>(value >> 32));
    u32(static_cast<std::uint32_t>(value));
  }
  void name(const std::string &text) {
    for (std::size_t i = 0; i < kCodecNameSize; ++i)
      bytes_.push_back(i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
  }
  void header(DatagramKind kind, std::size_t size, std::uint32_t sequence, std::uint64_t microseconds) {
    bytes_.insert(bytes_.end(), std::begin(kDatagramMagic), std::end(kDatagramMagic));
    u8(kDatagramVersion);
    u8(static_cast<int>(kind));
    u16(static_cast<int>(size));
    u32(sequence);
    u64(microseconds);
  }
  std::vector<std::uint8_t> take() { return std::move(bytes_); }

 private:
  void unsigned16(std::uint16_t value) {
    bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
    bytes_.push_back(static_cast<std::uint8_t>(value));
  }
  std::vector<std::uint8_t> bytes_;
};

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  int u8() { return bytes_[at_++]; }
  int u16() {
    const int value = bytes_[at_] << 8 | bytes_[at_ + 1];
    at_ += 2;
    return value;
  }
  int i16() { return static_cast<std::int16_t>(static_cast<std::uint16_t>(u16())); }
  std::uint32_t u32() {
    const auto high = static_cast<std::uint32_t>(u16());
    return high << 16 | static_cast<std::uint32_t>(u16());
  }
  std::uint64_t u64() {
    const std::uint64_t high = u32();
    return high << 32 | u32();
  }
  std::optional<std::string> name() {
    std::string text(reinterpret_cast<const char *>(bytes_.data() + at_), kCodecNameSize);
    at_ += kCodecNameSize;
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    const bool printable = std::all_of(text.begin(), text.end(), [](char c) { return c > ' ' && c < 0x7f; });
    if (!printable) return std::nullopt;
    return text;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

struct Header {
  std::uint32_t sequence = 0;
  std::uint64_t microseconds = 0;
};

// The common header, checked: magic, version, kind and a length that covers the known layout.
std::optional<Header> headerOf(std::span<const std::uint8_t> bytes, DatagramKind kind, std::size_t knownSize) {
  if (bytes.size() < knownSize || std::memcmp(bytes.data(), kDatagramMagic, sizeof kDatagramMagic) != 0)
    return std::nullopt;
  Reader reader(bytes.subspan(sizeof kDatagramMagic));
  if (reader.u8() != kDatagramVersion || reader.u8() != static_cast<int>(kind)) return std::nullopt;
  const auto length = static_cast<std::size_t>(reader.u16());
  if (length < knownSize || length > bytes.size()) return std::nullopt;
  Header header;
  header.sequence = reader.u32();
  header.microseconds = reader.u64();
  return header;
}

bool within(int value, int low, int high) { return value >= low && value <= high; }

int maskLimitOf(int mode) { return mode == 2 ? 1 : mode == 3 ? 2 : -1; }

bool pointerFieldsValid(const PointerDatagram &d) {
  if (!within(d.mode, 0, 3)) return false;
  const int maskLimit = maskLimitOf(d.mode);
  if (maskLimit < 0 ? d.maskType != kUnusedType : !within(d.maskType, 0, maskLimit)) return false;
  if (d.mode == 3 ? !within(d.blendingType, 0, 1) : d.blendingType != kUnusedType) return false;
  if (d.mode == 0 && (d.regionWidth != 0 || d.regionHeight != 0)) return false;
  return d.pointX < std::max(d.pictureWidth, 1) && d.pointY < std::max(d.pictureHeight, 1);
}

bool statusFieldsValid(const StatusDatagram &d) {
  const int codes[] = {d.partialZoomSourceCode, d.partialZoomOutputCode, d.nonLinearZoomOutputCode,
                       d.imageCompoundBaseCode, d.imageCompoundAdditionalCode};
  return within(d.mode, 0, 3) && within(d.copies, 1, 4) &&
         std::all_of(std::begin(codes), std::end(codes), [](int code) { return within(code, 0, 15); }) &&
         within(d.nonLinearZoomMaskType, 0, 1) && within(d.nonLinearZoomMaskWidth, 10, 720) &&
         within(d.nonLinearZoomMaskHeight, 10, 720) && within(d.imageCompoundMaskType, 0, 2) &&
         within(d.imageCompoundBlendingType, 0, 1);
}

}  // namespace

std::vector<std::uint8_t> encode(const PointerDatagram &d) {
  Writer w(kPointerDatagramSize);
  w.header(DatagramKind::Pointer, kPointerDatagramSize, d.sequence, d.microseconds);
  w.u8(d.mode);
  w.u8(d.frameVisible ? 1 : 0);
  w.u8(d.maskType);
  w.u8(d.blendingType);
  w.u16(d.pictureWidth);
  w.u16(d.pictureHeight);
  w.u16(d.pointX);
  w.u16(d.pointY);
  w.i16(d.regionX);
  w.i16(d.regionY);
  w.u16(d.regionWidth);
  w.u16(d.regionHeight);
  return w.take();
}

std::vector<std::uint8_t> encode(const StatusDatagram &d) {
  Writer w(kStatusDatagramSize);
  w.header(DatagramKind::Status, kStatusDatagramSize, d.sequence, d.microseconds);
  w.u8((d.started ? 1 : 0) | (d.videoOn ? 2 : 0) | (d.audioOn ? 4 : 0) | (d.focusOn ? 8 : 0) |
       (d.frameVisible ? 16 : 0));
  w.u8(d.mode);
  w.u8(d.copies);
  w.u8(d.framesPerSecond);
  w.u16(d.packetSize);
  w.u16(d.mainWidth);
  w.u16(d.mainHeight);
  w.u16(d.subWidth);
  w.u16(d.subHeight);
  w.u8(d.videoPayloadType);
  w.u8(d.audioPayloadType);
  w.name(d.videoCodec);
  w.name(d.audioCodec);
  w.u8(d.partialZoomSourceCode);
  w.u8(d.partialZoomOutputCode);
  w.u8(d.nonLinearZoomOutputCode);
  w.u8(d.nonLinearZoomMaskType);
  w.i16(d.nonLinearZoomMaskWidth);
  w.i16(d.nonLinearZoomMaskHeight);
  w.u8(d.imageCompoundBaseCode);
  w.u8(d.imageCompoundAdditionalCode);
  w.u8(d.imageCompoundMaskType);
  w.u8(d.imageCompoundBlendingType);
  return w.take();
}

std::optional<PointerDatagram> decodePointer(std::span<const std::uint8_t> bytes) {
  const auto header = headerOf(bytes, DatagramKind::Pointer, kPointerDatagramSize);
  if (!header) return std::nullopt;
  Reader r(bytes.subspan(kDatagramHeaderSize));
  PointerDatagram d;
  d.sequence = header->sequence;
  d.microseconds = header->microseconds;
  d.mode = r.u8();
  d.frameVisible = (r.u8() & 1) != 0;
  d.maskType = r.u8();
  d.blendingType = r.u8();
  d.pictureWidth = r.u16();
  d.pictureHeight = r.u16();
  d.pointX = r.u16();
  d.pointY = r.u16();
  d.regionX = r.i16();
  d.regionY = r.i16();
  d.regionWidth = r.u16();
  d.regionHeight = r.u16();
  if (!pointerFieldsValid(d)) return std::nullopt;
  return d;
}

std::optional<StatusDatagram> decodeStatus(std::span<const std::uint8_t> bytes) {
  const auto header = headerOf(bytes, DatagramKind::Status, kStatusDatagramSize);
  if (!header) return std::nullopt;
  Reader r(bytes.subspan(kDatagramHeaderSize));
  StatusDatagram d;
  d.sequence = header->sequence;
  d.microseconds = header->microseconds;
  const int flags = r.u8();
  d.started = flags & 1;
  d.videoOn = flags & 2;
  d.audioOn = flags & 4;
  d.focusOn = flags & 8;
  d.frameVisible = flags & 16;
  d.mode = r.u8();
  d.copies = r.u8();
  d.framesPerSecond = r.u8();
  d.packetSize = r.u16();
  d.mainWidth = r.u16();
  d.mainHeight = r.u16();
  d.subWidth = r.u16();
  d.subHeight = r.u16();
  d.videoPayloadType = r.u8();
  d.audioPayloadType = r.u8();
  auto video = r.name();
  auto audio = r.name();
  if (!video || !audio) return std::nullopt;
  d.videoCodec = *video;
  d.audioCodec = *audio;
  d.partialZoomSourceCode = r.u8();
  d.partialZoomOutputCode = r.u8();
  d.nonLinearZoomOutputCode = r.u8();
  d.nonLinearZoomMaskType = r.u8();
  d.nonLinearZoomMaskWidth = r.i16();
  d.nonLinearZoomMaskHeight = r.i16();
  d.imageCompoundBaseCode = r.u8();
  d.imageCompoundAdditionalCode = r.u8();
  d.imageCompoundMaskType = r.u8();
  d.imageCompoundBlendingType = r.u8();
  if (!statusFieldsValid(d)) return std::nullopt;
  return d;
}

}  // namespace ovgst
