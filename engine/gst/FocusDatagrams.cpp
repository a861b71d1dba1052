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
  template <class... Bits>
  void flags(Bits... bits) {
    int value = 0, bit = 1;
    ((value |= bits ? bit : 0, bit <<= 1), ...);
    u8(value);
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
  // The same, into the fields of a datagram.
  void u8(int &value) { value = u8(); }
  void u16(int &value) { value = u16(); }
  void i16(int &value) { value = i16(); }
  template <class... Bits>
  void flags(Bits &...bits) {
    const int value = u8();
    int bit = 1;
    ((bits = (value & bit) != 0, bit <<= 1), ...);
  }
  // A codec name; anything but printable characters makes the datagram bad.
  void name(std::string &text) {
    text.assign(reinterpret_cast<const char *>(bytes_.data() + at_), kCodecNameSize);
    at_ += kCodecNameSize;
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    bad_ |= !std::all_of(text.begin(), text.end(), [](char c) { return c > ' ' && c < 0x7f; });
  }
  bool bad() const { return bad_; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
  bool bad_ = false;
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

// The fields after the header in their order on the wire, one list for
// writing (a Writer and a const datagram) and reading (a Reader), so the two
// cannot drift apart.
template <class Io, class Datagram>
void pointerFields(Io &io, Datagram &d) {
  io.u8(d.mode);
  io.flags(d.frameVisible);
  io.u8(d.maskType);
  io.u8(d.blendingType);
  io.u16(d.pictureWidth);
  io.u16(d.pictureHeight);
  io.u16(d.pointX);
  io.u16(d.pointY);
  io.i16(d.regionX);
  io.i16(d.regionY);
  io.u16(d.regionWidth);
  io.u16(d.regionHeight);
}

template <class Io, class Datagram>
void statusFields(Io &io, Datagram &d) {
  io.flags(d.started, d.videoOn, d.audioOn, d.focusOn, d.frameVisible);
  io.u8(d.mode);
  io.u8(d.copies);
  io.u8(d.framesPerSecond);
  io.u16(d.packetSize);
  io.u16(d.mainWidth);
  io.u16(d.mainHeight);
  io.u16(d.subWidth);
  io.u16(d.subHeight);
  io.u8(d.videoPayloadType);
  io.u8(d.audioPayloadType);
  io.name(d.videoCodec);
  io.name(d.audioCodec);
  io.u8(d.partialZoomSourceCode);
  io.u8(d.partialZoomOutputCode);
  io.u8(d.nonLinearZoomOutputCode);
  io.u8(d.nonLinearZoomMaskType);
  io.i16(d.nonLinearZoomMaskWidth);
  io.i16(d.nonLinearZoomMaskHeight);
  io.u8(d.imageCompoundBaseCode);
  io.u8(d.imageCompoundAdditionalCode);
  io.u8(d.imageCompoundMaskType);
  io.u8(d.imageCompoundBlendingType);
}

}  // namespace

std::vector<std::uint8_t> encode(const PointerDatagram &d) {
  Writer w(kPointerDatagramSize);
  w.header(DatagramKind::Pointer, kPointerDatagramSize, d.sequence, d.microseconds);
  pointerFields(w, d);
  return w.take();
}

std::vector<std::uint8_t> encode(const StatusDatagram &d) {
  Writer w(kStatusDatagramSize);
  w.header(DatagramKind::Status, kStatusDatagramSize, d.sequence, d.microseconds);
  statusFields(w, d);
  return w.take();
}

std::optional<PointerDatagram> decodePointer(std::span<const std::uint8_t> bytes) {
  const auto header = headerOf(bytes, DatagramKind::Pointer, kPointerDatagramSize);
  if (!header) return std::nullopt;
  Reader r(bytes.subspan(kDatagramHeaderSize));
  PointerDatagram d;
  d.sequence = header->sequence;
  d.microseconds = header->microseconds;
  pointerFields(r, d);
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
  statusFields(r, d);
  if (r.bad()) return std::nullopt;
  if (!statusFieldsValid(d)) return std::nullopt;
  return d;
}

}  // namespace ovgst
