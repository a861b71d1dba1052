#include "ElementTable.h"

#include "IQuadView.h"
#include "QuadViewClsids.h"
#include "FxBankClsids.h"
#include "IFrameRateControllerSettings.h"
#include "HoldQueueClsids.h"
#include "IGhostSettings.h"
#include "IGreenShiftSettings.h"
#include "INoiseSettings.h"
#include "IScrollSettings.h"
#include "IHoldQueueSettings.h"
#include "IInterlaceSettings.h"
#include "ILevelCompressSettings.h"
#include "IQuenzaSettings.h"
#include "IStereoDisplaySettings.h"
#include "ISubliminalSettings.h"
#include "StereoPairClsids.h"

namespace {

// Adapters from the get/set pairs of each interface to one gint.
template <class I, HRESULT (I::*Get)(LONG*)>
HRESULT GetLong(IUnknown* settings, gint* value)
{
    LONG v = 0;
    const HRESULT hr = (static_cast<I*>(settings)->*Get)(&v);
    *value = v;
    return hr;
}
template <class I, HRESULT (I::*Set)(LONG)>
HRESULT SetLong(IUnknown* settings, gint value)
{
    return (static_cast<I*>(settings)->*Set)(value);
}
template <class I, HRESULT (I::*Get)(BYTE*)>
HRESULT GetByte(IUnknown* settings, gint* value)
{
    BYTE v = 0;
    const HRESULT hr = (static_cast<I*>(settings)->*Get)(&v);
    *value = v != 0;
    return hr;
}
template <class I, HRESULT (I::*Set)(BYTE)>
HRESULT SetByte(IUnknown* settings, gint value)
{
    return (static_cast<I*>(settings)->*Set)(value ? 1 : 0);
}

// One value of a pair (or of the colour triple): a set reads the others
// back first, so each value is a property of its own.
template <class I, HRESULT (I::*Get)(LONG*, LONG*), int Which>
HRESULT GetOfPair(IUnknown* settings, gint* value)
{
    LONG v[2] = {0, 0};
    const HRESULT hr = (static_cast<I*>(settings)->*Get)(&v[0], &v[1]);
    *value = v[Which];
    return hr;
}
template <class I, HRESULT (I::*Get)(LONG*, LONG*), HRESULT (I::*Set)(LONG, LONG), int Which>
HRESULT SetOfPair(IUnknown* settings, gint value)
{
    LONG v[2] = {0, 0};
    const HRESULT hr = (static_cast<I*>(settings)->*Get)(&v[0], &v[1]);
    if (FAILED(hr)) return hr;
    v[Which] = value;
    return (static_cast<I*>(settings)->*Set)(v[0], v[1]);
}
template <int Which>
HRESULT GetColour(IUnknown* settings, gint* value)
{
    BYTE v[3] = {0, 0, 0};
    const HRESULT hr = static_cast<IQuenzaSettings*>(settings)->GetBackgroundColour(&v[0], &v[1], &v[2]);
    *value = v[Which];
    return hr;
}
template <int Which>
HRESULT SetColour(IUnknown* settings, gint value)
{
    BYTE v[3] = {0, 0, 0};
    const HRESULT hr = static_cast<IQuenzaSettings*>(settings)->GetBackgroundColour(&v[0], &v[1], &v[2]);
    if (FAILED(hr)) return hr;
    LONG w[3] = {v[0], v[1], v[2]};
    w[Which] = value;
    return static_cast<IQuenzaSettings*>(settings)->SetBackgroundColour(w[0], w[1], w[2]);
}

constexpr const char* kVideoColourBlurb = "Accepted input: 0 RGB555 (RGB15) only, 1 RGB24 (BGR) only, 2 either";
constexpr const char* kSwapBlurb = "Swap the two inputs: input 1 is the right picture, input 2 the left";
constexpr const char* kFrameRateBlurb = "Output frames per second, used for the output time stamps";

template <class I>
constexpr SettingDescription VideoColour()
{
    return {"video-colour", kVideoColourBlurb, false, 0, 2, 2, &GetLong<I, &I::GetVideoColour>,
            &SetLong<I, &I::SetVideoColour>};
}
template <class I>
constexpr SettingDescription Swap()
{
    return {"swap", kSwapBlurb, true, 0, 1, 0, &GetByte<I, &I::GetSwap>, &SetLong<I, &I::SetSwap>};
}
template <class I>
constexpr SettingDescription FrameRate()
{
    return {"frame-rate", kFrameRateBlurb, false, 1, 1000, 30, &GetLong<I, &I::GetFrameRate>,
            &SetLong<I, &I::SetFrameRate>};
}

const SettingDescription kGreenShiftSettings[] = {VideoColour<IGreenShiftSettings>()};
const SettingDescription kInterlaceSettings[] = {VideoColour<IInterlaceSettings>()};
const SettingDescription kStereoDisplaySettings[] = {Swap<IStereoDisplaySettings>(), VideoColour<IStereoDisplaySettings>(),
                                              FrameRate<IStereoDisplaySettings>()};
const SettingDescription kLevelCompressSettings[] = {
    Swap<ILevelCompressSettings>(),
    VideoColour<ILevelCompressSettings>(),
    FrameRate<ILevelCompressSettings>(),
    {"compression-mode", "Squeeze: 0 through device bitmaps, 1 by dropping columns in memory", false, 0, 1, 1,
     &GetLong<ILevelCompressSettings, &ILevelCompressSettings::GetCompressionMode>,
     &SetLong<ILevelCompressSettings, &ILevelCompressSettings::SetCompressionMode>, false},
};
using IQ = IQuenzaSettings;
#define OSTREL_PAIR(name, blurb, minimum, maximum, def, Get, Set, which) \
    {name, blurb, false, minimum, maximum, def, &GetOfPair<IQ, &IQ::Get, which>, &SetOfPair<IQ, &IQ::Get, &IQ::Set, which>}
#define OSTREL_FLAG(name, blurb, def, Get, Set) \
    {name, blurb, true, 0, 1, def, &GetByte<IQ, &IQ::Get>, &SetLong<IQ, &IQ::Set>}
#define OSTREL_COLOUR(name, blurb, which) {name, blurb, false, 0, 255, 0, &GetColour<which>, &SetColour<which>}
const SettingDescription kQuenzaSettings[] = {
    {"swap", "Swap the two inputs: input 2 is the left picture, input 1 the right", true, 0, 1, 0,
     &GetByte<IQ, &IQ::GetSwap>, &SetLong<IQ, &IQ::SetSwap>},
    VideoColour<IQ>(),
    OSTREL_PAIR("left-x", "Left picture: pixels from the frame's left edge", G_MININT32, G_MAXINT32, 0, GetLeftOffset,
                SetLeftOffset, 0),
    OSTREL_PAIR("left-y", "Left picture: pixels from the frame's top", G_MININT32, G_MAXINT32, 0, GetLeftOffset,
                SetLeftOffset, 1),
    OSTREL_PAIR("right-x", "Right picture: pixels from the right end of the left picture", G_MININT32, G_MAXINT32, 0,
                GetRightOffset, SetRightOffset, 0),
    OSTREL_PAIR("right-y", "Right picture: pixels from the frame's top", G_MININT32, G_MAXINT32, 0, GetRightOffset,
                SetRightOffset, 1),
    OSTREL_FLAG("left-at-input-size", "Left picture at its input size", 1, GetLeftAtInputSize, SetLeftAtInputSize),
    OSTREL_PAIR("left-width", "Left picture width when not at input size", G_MININT32, G_MAXINT32, 100, GetLeftSize,
                SetLeftSize, 0),
    OSTREL_PAIR("left-height", "Left picture height when not at input size", G_MININT32, G_MAXINT32, 100,
                GetLeftSize, SetLeftSize, 1),
    OSTREL_FLAG("right-at-input-size", "Right picture at its input size", 1, GetRightAtInputSize,
                SetRightAtInputSize),
    OSTREL_PAIR("right-width", "Right picture width when not at input size", G_MININT32, G_MAXINT32, 100,
                GetRightSize, SetRightSize, 0),
    OSTREL_PAIR("right-height", "Right picture height when not at input size", G_MININT32, G_MAXINT32, 100,
                GetRightSize, SetRightSize, 1),
    {"output-resolution", "Index into the table of display resolutions (0 is 800 × 600)", false, 0, 10, 0,
     &GetLong<IQ, &IQ::GetOutputResolution>, &SetLong<IQ, &IQ::SetOutputResolution>},
    FrameRate<IQ>(),
    OSTREL_COLOUR("background-red", "Background red", 0),
    OSTREL_COLOUR("background-green", "Background green", 1),
    OSTREL_COLOUR("background-blue", "Background blue", 2),
    OSTREL_PAIR("window-x", "Video window left (a graph's renderer window; unused here)", G_MININT32, G_MAXINT32, 0,
                GetWindowPosition, SetWindowPosition, 0),
    OSTREL_PAIR("window-y", "Video window top (a graph's renderer window; unused here)", G_MININT32, G_MAXINT32, 0,
                GetWindowPosition, SetWindowPosition, 1),
    OSTREL_FLAG("window-at-output-size", "Video window at the output size (unused here)", 1, GetWindowAtOutputSize,
                SetWindowAtOutputSize),
    OSTREL_PAIR("window-width", "Video window width (unused here)", G_MININT32, G_MAXINT32, 100, GetWindowSize,
                SetWindowSize, 0),
    OSTREL_PAIR("window-height", "Video window height (unused here)", G_MININT32, G_MAXINT32, 100, GetWindowSize,
                SetWindowSize, 1),
};
#undef OSTREL_PAIR
#undef OSTREL_FLAG
#undef OSTREL_COLOUR

const SettingDescription kQuadViewSettings[] = {
    {"time-base", "Output times: 0 to 3 from that input's samples, 4 the filter's own clock", false, 0, 4, 0,
     &GetLong<IQuadView, &IQuadView::GetTimeBase>, &SetLong<IQuadView, &IQuadView::SetTimeBase>},
    {"zero-timestamps", "Own clock only: every start and stop time 0", true, 0, 1, 0,
     &GetByte<IQuadView, &IQuadView::GetZeroTimestamps>, &SetByte<IQuadView, &IQuadView::SetZeroTimestamps>},
    {"time-offset", "Own clock only: milliseconds added to every stop time", false, G_MININT32, G_MAXINT32, 1,
     &GetLong<IQuadView, &IQuadView::GetTimeOffset>, &SetLong<IQuadView, &IQuadView::SetTimeOffset>},
    {"background-color", "Background: 0 black, 1 red, 2 green, 3 blue", false, 0, 3, 3,
     &GetLong<IQuadView, &IQuadView::GetBackgroundColor>, &SetLong<IQuadView, &IQuadView::SetBackgroundColor>},
    {"max-frame-rate", "Output frames per second at most", false, 1, 60, 30,
     &GetLong<IQuadView, &IQuadView::GetMaxFrameRate>, &SetLong<IQuadView, &IQuadView::SetMaxFrameRate>},
    {"border-lines", "The cyan cross between the quarters", true, 0, 1, 1,
     &GetByte<IQuadView, &IQuadView::GetBorderLines>, &SetByte<IQuadView, &IQuadView::SetBorderLines>},
};

const SettingDescription kFrameRateControllerSettings[] = {
    {"frame-rate", "Output frames per second", false, 1, 1000, 30,
     &GetLong<IFrameRateControl, &IFrameRateControl::GetFrameRate>,
     &SetLong<IFrameRateControl, &IFrameRateControl::SetFrameRate>},
    {"hold-samples", "Keep the latest input sample itself instead of a copy of its data", true, 0, 1, 0,
     &GetByte<IFrameRateControl, &IFrameRateControl::GetHoldSamples>,
     &SetByte<IFrameRateControl, &IFrameRateControl::SetHoldSamples>},
};

const SettingDescription kHoldQueueSettings[] = {
    {"max-buffer-samples", "Queue capacity in samples; 0 holds one", false, 0, 100000, 60,
     &GetLong<IHoldQueueSettings, &IHoldQueueSettings::GetMaxBufferSamples>,
     &SetLong<IHoldQueueSettings, &IHoldQueueSettings::SetMaxBufferSamples>},
    {"absolute-time-offset", "Milliseconds taken off the clock before it is compared with the time stamps", false,
     G_MININT32, G_MAXINT32, 0, &GetLong<IHoldQueueSettings, &IHoldQueueSettings::GetAbsoluteTimeOffset>,
     &SetLong<IHoldQueueSettings, &IHoldQueueSettings::SetAbsoluteTimeOffset>},
    {"discard-interval", "Milliseconds of age beyond which an arriving sample is dropped", false, G_MININT32,
     G_MAXINT32, 2000, &GetLong<IHoldQueueSettings, &IHoldQueueSettings::GetDiscardInterval>,
     &SetLong<IHoldQueueSettings, &IHoldQueueSettings::SetDiscardInterval>},
    {"disable-time-stamps", "Released samples carry no time stamps", true, 0, 1, 1,
     &GetByte<IHoldQueueSettings, &IHoldQueueSettings::GetDisableTimeStamps>,
     &SetByte<IHoldQueueSettings, &IHoldQueueSettings::SetDisableTimeStamps>},
};

const SettingDescription kGhostSettings[] = {
    {"strength", "Strength of the ghost image, 0 to 100", false, 0, 100, 50,
     &GetLong<IGhostFilter, &IGhostFilter::GetStrength>, &SetLong<IGhostFilter, &IGhostFilter::SetStrength>},
    {"offset", "Offset of the ghost image in pixels", false, -10000, 10000, 50,
     &GetLong<IGhostFilter, &IGhostFilter::GetOffset>, &SetLong<IGhostFilter, &IGhostFilter::SetOffset>},
};
const SettingDescription kNoiseSettings[] = {
    {"noise-type", "0 copies neighbouring pixels, 1 darkens", false, 0, 1, 0,
     &GetLong<INoiseFilter, &INoiseFilter::GetNoiseType>, &SetLong<INoiseFilter, &INoiseFilter::SetNoiseType>},
    {"strength", "Strength of the noise, 0 to 100", false, 0, 100, 50,
     &GetLong<INoiseFilter, &INoiseFilter::GetStrength>, &SetLong<INoiseFilter, &INoiseFilter::SetStrength>},
};
const SettingDescription kScrollSettings[] = {
    {"direction", "0 horizontal, 1 vertical", false, 0, 1, 1,
     &GetLong<IScrollFilter, &IScrollFilter::GetDirection>, &SetLong<IScrollFilter, &IScrollFilter::SetDirection>},
    {"speed", "Pixels the picture moves per frame", false, -10000, 10000, 0,
     &GetLong<IScrollFilter, &IScrollFilter::GetSpeed>, &SetLong<IScrollFilter, &IScrollFilter::SetSpeed>},
};

// The sub count comes first: a set period lowers it to fit, so setting them
// in this order keeps both values asked for.
const SettingDescription kSubliminalSettings[] = {
    {"sub-count", "Sub frames shown per period, 1 to the period", false, 1, G_MAXINT32, 1,
     &GetLong<ISubliminalFilter, &ISubliminalFilter::GetSubCount>,
     &SetLong<ISubliminalFilter, &ISubliminalFilter::SetSubCount>},
    {"period", "Main frames per period, at least 1; a shorter period lowers the sub count to fit", false, 1,
     G_MAXINT32, 30, &GetLong<ISubliminalFilter, &ISubliminalFilter::GetPeriod>,
     &SetLong<ISubliminalFilter, &ISubliminalFilter::SetPeriod>},
};
constexpr const char* kSubliminalSinks[] = {"sink", "sub_sink"};

constexpr const char* kRgb24Caps = "video/x-raw, format = (string) BGR, width = (int) [ 1, 16384 ], "
                                   "height = (int) [ 1, 16384 ], framerate = (fraction) [ 0/1, 1000/1 ]";

template <std::size_t N>
constexpr int Count(const SettingDescription (&)[N])
{
    return static_cast<int>(N);
}

} // namespace

const ElementDescription kElementDescriptions[] = {
    {"ostrelgreenshift", "OstrelGreenShift", "Velk Green Shift Filter",
     "Moves the green of every pixel one pixel to the right", "stereopair.so", CLSID_GreenShift,
     IID_IGreenShiftSettings, 1, true, true, true, kGreenShiftSettings, Count(kGreenShiftSettings), nullptr, false,
     false, false, nullptr, true},
    {"ostrelinterlace", "OstrelInterlace", "Velk Interlace Filter",
     "Turns a side-by-side stereo frame into a column-interleaved one", "stereopair.so", CLSID_Interlace,
     IID_IInterlaceSettings, 1, false, true, true, kInterlaceSettings, Count(kInterlaceSettings)},
    {"ostrelstereodisplay", "OstrelStereoDisplay", "Velk Stereo Display",
     "Column-interleaves a left and a right picture for a stereo display, green moved right", "stereopair.so",
     CLSID_StereoDisplay, IID_IStereoDisplaySettings, 2, true, false, true, kStereoDisplaySettings,
     Count(kStereoDisplaySettings), nullptr, false, false, false, nullptr, true},
    {"ostrellevelcompress", "OstrelLevelCompress", "Velk 2-Input Level Compressor",
     "Squeezes a left and a right picture side by side into one frame", "stereopair.so", CLSID_LevelCompress,
     IID_ILevelCompressSettings, 2, true, false, true, kLevelCompressSettings, Count(kLevelCompressSettings)},
    {"ostrelquenza", "OstrelQuenza", "Velk Quenza",
     "Lays a left and a right picture out on one frame of a chosen display resolution", "stereopair.so",
     CLSID_Quenza, IID_IQuenzaSettings, 2, true, false, true, kQuenzaSettings, Count(kQuenzaSettings)},
    {"ostrelquadview", "OstrelQuadView", "Velk QuadView", "Shows four pictures in the quarters of one frame",
     "quadview.so", CLSID_QuadView, IID_IQuadView, 4, true, false, false, kQuadViewSettings,
     Count(kQuadViewSettings)},
    // Only copies whole frames: row order does not matter.
    {"ostrelframeratecontrol", "OstrelFrameRateControl", "Velk Frame Rate Controller",
     "Sends the latest frame at exactly the set frame rate", "fxbank.so", CLSID_FrameControl,
     IID_IFrameRateControl, 1, false, false, false, kFrameRateControllerSettings,
     Count(kFrameRateControllerSettings), kRgb24Caps},
    // The effects take RGB24 only; their passes run over whole frames, so the
    // rows are turned to the filters' order, but for Noise and Scroll, which
    // give a top-down frame the picture of its bottom-up twin.
    {"ostrelghost", "OstrelGhost", "Velk Ghost Filter", "Adds a displaced ghost image of the picture",
     "fxbank.so", CLSID_Ghost, IID_IGhostFilter, 1, true, true, false, kGhostSettings, Count(kGhostSettings),
     kRgb24Caps},
    {"ostrelnoise", "OstrelNoise", "Velk Noise Filter", "Adds noise to the picture", "fxbank.so", CLSID_Noise,
     IID_INoiseFilter, 1, true, true, false, kNoiseSettings, Count(kNoiseSettings), kRgb24Caps, false, false, false,
     nullptr, true},
    {"ostrelscroll", "OstrelScroll", "Velk Scroll Filter", "Scrolls the picture round by a set speed",
     "fxbank.so", CLSID_Scroll, IID_IScrollFilter, 1, true, true, false, kScrollSettings, Count(kScrollSettings),
     kRgb24Caps, false, false, false, nullptr, true},
    // Copies whole frames over whole frames: row order does not matter.
    {"ostrelsubliminal", "OstrelSubliminal", "Velk Subliminal Filter",
     "Passes the video on and shows the latest frame of the sub video in its place at a set cadence",
     "fxbank.so", CLSID_Subliminal, IID_ISubliminalFilter, 2, false, true, false, kSubliminalSettings,
     Count(kSubliminalSettings), kRgb24Caps, false, false, false, kSubliminalSinks},
    {"ostrelholdqueue", "OstrelHoldQueue", "Velk Synchronizing Buffer",
     "Holds each buffer until the wall clock reaches its time, so streams stamped on it come out aligned",
     "holdqueue.so", CLSID_HoldQueue, IID_IHoldQueueSettings, 1, false, false, false, kHoldQueueSettings,
     Count(kHoldQueueSettings), nullptr, true, true, true},
};

const int kElementSpecCount = static_cast<int>(sizeof kElementDescriptions / sizeof kElementDescriptions[0]);

std::string SinkPadName(const ElementDescription& description, int index)
{
    if (description.sinkNames) return description.sinkNames[index];
    return description.inputs == 1 ? "sink" : "sink_" + std::to_string(index);
}
