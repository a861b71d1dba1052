// The settings of the Quenza filter as one record, in stored order, with the
// output resolutions it offers.
#pragma once

#include "SettingsStream.h"
#include "VideoColour.h"

struct LongPair {
    LONG first;
    LONG second;
};

struct QuenzaSettings {
    bool swap = false;
    LONG videoColour = kDefaultVideoColour;
    LongPair leftOffset{0, 0};
    LongPair rightOffset{0, 0};  // x from the right end of the left picture
    bool leftAtInputSize = true;
    LongPair leftSize{100, 100};
    bool rightAtInputSize = true;
    LongPair rightSize{100, 100};
    LONG resolution = 0;
    LONG frameRate = 30;  // always above 0
    BYTE red = 0;
    BYTE green = 0;
    BYTE blue = 0;
    LongPair windowPosition{0, 0};
    bool windowAtOutputSize = true;
    LongPair windowSize{100, 100};
};

// Fields as stored; the declared size is one byte more.
constexpr DWORD kQuenzaRecordBytes = 67;
constexpr DWORD kQuenzaDeclaredBytes = 68;

void WriteQuenzaSettings(SettingsWriter& writer, const QuenzaSettings& settings);
// A stored rate of 0 or less keeps the rate of `settings`.
void ReadQuenzaSettings(SettingsReader& reader, QuenzaSettings& settings);

struct OutputResolution {
    LONG width;
    LONG height;
    const WCHAR* text;
};
constexpr int kOutputResolutionCount = 11;
extern const OutputResolution kOutputResolutions[kOutputResolutionCount];
// The entry for `index`; any index outside the table gives the first.
const OutputResolution& OutputResolutionAt(LONG index);
