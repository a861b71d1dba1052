/*
 * ovSender: the sending engine's flat C interface.
 *
 * The console drives capture, encoding, focus computation and multicast
 * sending only through these functions. Integers are 32-bit, booleans are C
 * bools, strings are zero-terminated UTF-8. Strings returned by the engine stay
 * the engine's and are valid only until the next call; callers copy them at
 * once. Source, encoder and property-page indexes run from 0 to count - 1.
 */
#ifndef OVSENDER_H
#define OVSENDER_H

#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define OVSENDER_API __attribute__((visibility("default")))
#else
#define OVSENDER_API
#endif

/* A native window id (an X11 window, or the toolkit's id for it). */
typedef uintptr_t ovSenderWindowHandle;

/* The engine's notifications to the user interface: a name and integer
 * arguments in, an integer out. The only name sent today is "ResizeForm"
 * with the new video width in args[0] and height in args[1]. */
typedef int (*ovSenderUICallbackFunction)(void *context, const char *name, int *args);

/* Size of the text buffer filled by ovSenderGetErrorMessage. */
#define OVSENDER_ERROR_TEXT_SIZE 128

/* Error kinds reported by ovSenderGetErrorMessage. */
enum {
  OVSENDER_ERROR_NONE = 0,
  OVSENDER_ERROR_WRONG_CAPTURE = 1,
  OVSENDER_ERROR_WRONG_ENCODER = 2,
  OVSENDER_ERROR_WRONG_MEDIATYPE = 3,
  OVSENDER_ERROR_NOTFOUND_DECODER = 4,
  OVSENDER_ERROR_UNEXPECTED = 5
};

/* ---- Life cycle ---- */
OVSENDER_API bool ovSenderInitialize(ovSenderWindowHandle panel);
OVSENDER_API bool ovSenderIsInitialized(void);
OVSENDER_API void ovSenderShutdown(void);
OVSENDER_API bool ovSenderGetValid(void);
OVSENDER_API bool ovSenderCheckQuit(void);
OVSENDER_API void ovSenderSendStatus(void);
OVSENDER_API void ovSenderComputeFocusRegion(void);
OVSENDER_API void ovSenderComputeVideoWindow(void);

/* ---- Callback, errors ---- */
OVSENDER_API void ovSenderSetUICallbackFunction(ovSenderUICallbackFunction callback, void *context);
/* Fills identity, kind and a text of at most OVSENDER_ERROR_TEXT_SIZE bytes
 * (terminator included) describing the current configuration error. */
OVSENDER_API void ovSenderGetErrorMessage(int *identity, int *kind, char *text);

/* ---- Transmission ---- */
OVSENDER_API bool ovSenderGetStart(void);
OVSENDER_API void ovSenderSetStart(bool on);
OVSENDER_API bool ovSenderGetVideoTransmissionOn(void);
OVSENDER_API void ovSenderSetVideoTransmissionOn(bool on);
OVSENDER_API bool ovSenderGetAudioTransmissionOn(void);
OVSENDER_API void ovSenderSetAudioTransmissionOn(bool on);
OVSENDER_API bool ovSenderGetFocusTransmissionOn(void);
OVSENDER_API void ovSenderSetFocusTransmissionOn(bool on);

/* ---- Sources ---- */
OVSENDER_API int ovSenderGetNumVideoSources(void);
OVSENDER_API int ovSenderGetVideoSource(void);
OVSENDER_API void ovSenderSetVideoSource(int index);
OVSENDER_API const char *ovSenderGetVideoSourceFriendlyName(int index);
OVSENDER_API int ovSenderGetNumVideoSourcePropertyPages(void);
OVSENDER_API const char *ovSenderGetVideoSourcePropertyPageName(int index);
OVSENDER_API void ovSenderShowVideoSourcePropertyPage(ovSenderWindowHandle owner, int index);
OVSENDER_API int ovSenderGetNumAudioSources(void);
OVSENDER_API int ovSenderGetAudioSource(void);
OVSENDER_API void ovSenderSetAudioSource(int index);
OVSENDER_API const char *ovSenderGetAudioSourceFriendlyName(int index);
OVSENDER_API int ovSenderGetNumAudioSourcePropertyPages(void);
OVSENDER_API const char *ovSenderGetAudioSourcePropertyPageName(int index);
OVSENDER_API void ovSenderShowAudioSourcePropertyPage(ovSenderWindowHandle owner, int index);
OVSENDER_API bool ovSenderGetDirectVideoModeOn(void);
OVSENDER_API void ovSenderSetDirectVideoModeOn(bool on);
OVSENDER_API bool ovSenderGetDVInterleavedModeOn(void);
OVSENDER_API void ovSenderSetDVInterleavedModeOn(bool on);
OVSENDER_API bool ovSenderIsValidDVInterleavedMode(void);

/* ---- Encoders (priority 0 recommended, 1 acceptable, 2 not recommended) ---- */
OVSENDER_API int ovSenderGetNumVideoEncoder(void);
OVSENDER_API const char *ovSenderGetVideoEncoderFriendlyName(int index);
OVSENDER_API int ovSenderGetVideoEncoderPriority(int index);
OVSENDER_API int ovSenderGetVideoEncoder(void);
OVSENDER_API void ovSenderSetVideoEncoder(int index);
OVSENDER_API int ovSenderGetNumAudioEncoder(void);
OVSENDER_API const char *ovSenderGetAudioEncoderFriendlyName(int index);
OVSENDER_API int ovSenderGetAudioEncoderPriority(int index);
OVSENDER_API int ovSenderGetAudioEncoder(void);
OVSENDER_API void ovSenderSetAudioEncoder(int index);

/* ---- Video layout ---- */
OVSENDER_API int ovSenderGetVideoResolution(void); /* code 0 to 16 */
OVSENDER_API void ovSenderSetVideoResolution(int code);
OVSENDER_API int ovSenderGetVideoWindowPolicy(void); /* 0 fit to window, 1 own size */
OVSENDER_API void ovSenderSetVideoWindowPolicy(int policy);
OVSENDER_API bool ovSenderGetKeepVideoAspect(void);
OVSENDER_API void ovSenderSetKeepVideoAspect(bool on);
OVSENDER_API bool ovSenderGetFitWindowToVideo(void);
OVSENDER_API void ovSenderSetFitWindowToVideo(bool on);

/* ---- Focus ---- */
OVSENDER_API int ovSenderGetFocusDisplay(void); /* 0 none, 1 partial, 2 non-linear, 3 compound */
OVSENDER_API void ovSenderSetFocusDisplay(int mode);
OVSENDER_API bool ovSenderGetFocusFrameVisible(void);
OVSENDER_API void ovSenderSetFocusFrameVisible(bool on);
OVSENDER_API int ovSenderGetFocusCoordinate(void); /* 0 desktop, 1 video window */
OVSENDER_API void ovSenderSetFocusCoordinate(int coordinate);
OVSENDER_API int ovSenderGetPartialZoomOutputVideoResolution(void);
OVSENDER_API void ovSenderSetPartialZoomOutputVideoResolution(int code);
OVSENDER_API int ovSenderGetPartialZoomSourceVideoResolution(void);
OVSENDER_API void ovSenderSetPartialZoomSourceVideoResolution(int code);
OVSENDER_API int ovSenderGetNonLinearZoomOutputVideoResolution(void);
OVSENDER_API void ovSenderSetNonLinearZoomOutputVideoResolution(int code);
OVSENDER_API int ovSenderGetNonLinearZoomMaskType(void);
OVSENDER_API void ovSenderSetNonLinearZoomMaskType(int type);
OVSENDER_API void ovSenderGetNonLinearZoomMaskSize(int *width, int *height);
OVSENDER_API void ovSenderSetNonLinearZoomMaskSize(int width, int height);
OVSENDER_API int ovSenderGetImageCompoundBaseVideoResolution(void);
OVSENDER_API void ovSenderSetImageCompoundBaseVideoResolution(int code);
OVSENDER_API int ovSenderGetImageCompoundAdditionalVideoResolution(void);
OVSENDER_API void ovSenderSetImageCompoundAdditionalVideoResolution(int code);
OVSENDER_API int ovSenderGetImageCompoundMaskType(void);
OVSENDER_API void ovSenderSetImageCompoundMaskType(int type);
OVSENDER_API int ovSenderGetImageCompoundBlendingType(void);
OVSENDER_API void ovSenderSetImageCompoundBlendingType(int type);

/* ---- Multicast ---- */
OVSENDER_API const char *ovSenderGetAddress(void);
OVSENDER_API void ovSenderSetAddress(const char *address);
OVSENDER_API const char *ovSenderCreateIPv4Address(void);
OVSENDER_API const char *ovSenderCreateIPv6Address(void);
OVSENDER_API int ovSenderGetTimeToLive(void);
OVSENDER_API void ovSenderSetTimeToLive(int ttl);
OVSENDER_API int ovSenderGetPacketSize(void);
OVSENDER_API void ovSenderSetPacketSize(int bytes);
OVSENDER_API int ovSenderGetTransmissionCount(void); /* 1 to 4 */
OVSENDER_API void ovSenderSetTransmissionCount(int count);
OVSENDER_API void ovSenderAddMulticastDetector(const char *address);
OVSENDER_API void ovSenderRemoveMulticastDetector(const char *address);
OVSENDER_API bool ovSenderWasDetectedMulticast(const char *address);

/* ---- Rates: bit/s and frames/s ---- */
OVSENDER_API int ovSenderGetVideoSenderMainMaxTransmissionRate(void);
OVSENDER_API void ovSenderSetVideoSenderMainMaxTransmissionRate(int bps);
OVSENDER_API int ovSenderGetVideoSenderSubMaxTransmissionRate(void);
OVSENDER_API void ovSenderSetVideoSenderSubMaxTransmissionRate(int bps);
OVSENDER_API int ovSenderGetAudioSenderMaxTransmissionRate(void);
OVSENDER_API void ovSenderSetAudioSenderMaxTransmissionRate(int bps);
OVSENDER_API int ovSenderGetPointerSenderMaxTransmissionRate(void);
OVSENDER_API void ovSenderSetPointerSenderMaxTransmissionRate(int bps);
OVSENDER_API int ovSenderGetStatusSenderMaxTransmissionRate(void);
OVSENDER_API void ovSenderSetStatusSenderMaxTransmissionRate(int bps);
OVSENDER_API int ovSenderGetVideoSenderMainTransmissionRate(void);
OVSENDER_API int ovSenderGetVideoSenderSubTransmissionRate(void);
OVSENDER_API int ovSenderGetAudioSenderTransmissionRate(void);
OVSENDER_API int ovSenderGetPointerSenderTransmissionRate(void);
OVSENDER_API int ovSenderGetVideoSenderMainFrameRate(void);
OVSENDER_API int ovSenderGetVideoSenderSubFrameRate(void);
OVSENDER_API int ovSenderGetAudioSenderFrameRate(void);
OVSENDER_API int ovSenderGetPointerSenderFrameRate(void);

/* ---- Captions ---- */
OVSENDER_API const char *ovSenderGetCaption(void);
OVSENDER_API void ovSenderSetCaption(const char *text);
OVSENDER_API bool ovSenderGetCaptionOn(void);
OVSENDER_API void ovSenderSetCaptionOn(bool on);

/* ---- Clips ---- */
OVSENDER_API bool ovSenderPlayVideoClip(const char *path);
OVSENDER_API bool ovSenderIsPlayVideoClip(void);
OVSENDER_API bool ovSenderPlaySoundFile(const char *path);
OVSENDER_API bool ovSenderIsPlaySoundFile(void);

/* ---- Preview ---- */
/* For a panel the engine cannot draw into itself (not a live X window): the
 * newest preview picture as 32-bit pixels 0xffRRGGBB, rows top to bottom, no
 * padding. Copies it into pixels when width * height * 4 <= capacity and
 * sets width and height in any case. Returns a number that grows with every
 * new picture, or 0 when there is none (the engine draws into the panel, or
 * sends no picture). Not written to call logs: consoles poll it per frame. */
OVSENDER_API int ovSenderCopyPreviewFrame(void *pixels, int capacity, int *width, int *height);

/* ---- Volume: levels in hundredths of a decibel, -3000 to 0 ---- */
OVSENDER_API void ovSenderSetVolumeEvaluationTime(int milliseconds);
OVSENDER_API void ovSenderGetVolume(int *left, int *right);

/* ---- Persistence ---- */
/* Copies the stored text of section/key, or defaultValue when there is none,
 * into buffer; never writes more than bufferSize bytes and always terminates
 * the text (a longer value is cut). */
OVSENDER_API void ovSenderReadRegistry(const char *section, const char *key, const char *defaultValue,
                                       char *buffer, int bufferSize);
/* Returns false when the store could not be written. */
OVSENDER_API bool ovSenderWriteRegistry(const char *section, const char *key, const char *value);
OVSENDER_API bool ovSenderReadIniFile(const char *path);
OVSENDER_API bool ovSenderWriteIniFile(const char *path);

#ifdef __cplusplus
}
#endif

#endif /* OVSENDER_H */
