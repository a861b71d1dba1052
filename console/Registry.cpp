#include "Registry.h"

#include "ovSender.h"

#include <cstring>
#include <vector>

namespace {
const char kSection[] = "Sender";
}

QString ReadSenderRegistry(const QString& key, const QString& defaultValue, int bufferSize) {
  std::vector<char> buffer(static_cast<size_t>(bufferSize) + 1, '\0');
  ovSenderReadRegistry(kSection, key.toUtf8().constData(), defaultValue.toUtf8().constData(), buffer.data(),
                       bufferSize);
  // Bounded: the last byte stays zero whatever the engine wrote.
  return QString::fromUtf8(buffer.data(), static_cast<qsizetype>(strnlen(buffer.data(), buffer.size())));
}

QString ReadSenderRegistry(const char* key, const QString& defaultValue, int bufferSize) {
  return ReadSenderRegistry(QString::fromLatin1(key), defaultValue, bufferSize);
}

void WriteSenderRegistry(const QString& key, const QString& value) {
  ovSenderWriteRegistry(kSection, key.toUtf8().constData(), value.toUtf8().constData());
}

void WriteSenderRegistry(const char* key, const QString& value) {
  WriteSenderRegistry(QString::fromLatin1(key), value);
}
