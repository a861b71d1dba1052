// The console's registry values: section "Sender" of the engine's store.
#ifndef CONSOLE_REGISTRY_H
#define CONSOLE_REGISTRY_H

#include <QString>

// The stored text, or defaultValue; bufferSize is what the engine may fill.
QString ReadSenderRegistry(const char* key, const QString& defaultValue, int bufferSize);
QString ReadSenderRegistry(const QString& key, const QString& defaultValue, int bufferSize);
void WriteSenderRegistry(const char* key, const QString& value);
void WriteSenderRegistry(const QString& key, const QString& value);

#endif
