// The built-in message texts: 29 indexed texts and the error kind texts of
// kinds 1 to 5, in Japanese and English.
#ifndef CONSOLE_SENDERMESSAGES_H
#define CONSOLE_SENDERMESSAGES_H

constexpr int MessageCount = 29;
constexpr int ErrorKindTextCount = 5;  // kinds 1 to 5

struct SenderMessage {
  const char* key;
  const char* japanese;
  const char* english;
};

extern const SenderMessage kSenderMessages[MessageCount];
extern const SenderMessage kErrorKindTexts[ErrorKindTextCount];

// Indexes read by the console.
enum {
  MsgStop = 0,
  MsgStart = 1,
  MsgStatusTransmit = 2,
  MsgStatusStop = 3,
  MsgStatusFailedConfig = 4,
  MsgStatusVideo = 5,
  MsgStatusAudio = 6,
  MsgStatusFocus = 7,
  MsgStatusNoData = 8,
  MsgStatusPlaySoundFile = 9,
  MsgError = 10,
  MsgReadIniFileError = 11,
  MsgWriteIniFileError = 12,
  MsgPlayVideoClipError = 13,
  MsgPlaySoundFileError = 14,
  MsgFirstCategoryName = 15  // category c is named by message 15 + c, c = 0 to 13
};

#endif
