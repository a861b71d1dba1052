/*
 * Test control of the simulated engine (libovSender.so).
 *
 * Only tests include this header; the console never does. The functions let a
 * test read the log of engine calls, inject what a real engine would report
 * (sources, encoders, errors, levels, traffic) and fire the UI callback.
 * Every function is thread-safe and none of them is logged.
 *
 * Call log lines look like the OVSENDER_SIM_LOG file lines: the function name
 * without its "ovSender" prefix and its input arguments in parentheses,
 * separated by ", ": "SetStart(1)", "Initialize(12345)",
 * "WriteRegistry(Sender, Language, ja)", "ReadRegistry(Sender, Language, ja, 256)".
 * Booleans are 1 or 0, integers and window handles decimal, texts as given
 * (a null text as "(null)"; "\" , newline and carriage return written as
 * "\\", "\n" and "\r" so that every call stays one line). Output-only
 * arguments are left out: "GetVolume()", "GetErrorMessage()". The callback
 * registration logs "SetUICallbackFunction(callback, context)" with "null"
 * in place of a null pointer.
 */
#ifndef OVSENDER_SIM_H
#define OVSENDER_SIM_H

#include "ovSender.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#if defined(__GNUC__)
#define OVSENDER_SIM_API __attribute__((visibility("default")))
#else
#define OVSENDER_SIM_API
#endif

/* A capture source: its friendly name and the names of its property pages. */
struct OvSenderSimSource {
  std::string name;
  std::vector<std::string> propertyPages;
};

/* An encoder: its friendly name and priority (0 recommended, 1 acceptable, 2 not recommended). */
struct OvSenderSimEncoder {
  std::string name;
  int priority = 0;
};

/* One property page shown through ovSenderShow...PropertyPage. */
struct OvSenderSimPageShow {
  bool video = true;                 /* false for an audio source page */
  int source = 0;                    /* the source selected when it was shown */
  int page = 0;                      /* page index as passed */
  std::string name;                  /* page name, empty for an index out of range */
  ovSenderWindowHandle owner = 0;    /* owner window as passed */
};

/* The four senders whose rates ovSenderGet...TransmissionRate / FrameRate report. */
enum class OvSenderSimSender { VideoMain, VideoSub, Audio, Pointer };

/* ---- Reset ---- */
/* Everything back to defaults: settings, sources, encoders, injections, callback, not initialised,
 * call log cleared, in-memory registry dropped. The store is then reloaded on next use from
 * $OSTREL_HOME/ovSender.ini (or ~/.config/ostrel/), so set OSTREL_HOME before calling this;
 * OVSENDER_SIM_LOG is read again too. */
OVSENDER_SIM_API void ovSenderSimReset();

/* ---- Call log ---- */
/* Every engine call since the last clear, oldest first (at most the latest 200000). */
OVSENDER_SIM_API std::vector<std::string> ovSenderSimCallLog();
/* Forgets the logged calls (the OVSENDER_SIM_LOG file is left alone). */
OVSENDER_SIM_API void ovSenderSimClearCallLog();
/* Number of logged calls of a function, named without prefix and arguments ("GetVolume"). */
OVSENDER_SIM_API std::size_t ovSenderSimCallCount(const std::string &function);

/* ---- Registry store ---- */
/* The current stored text of section/key, or nothing when the key is not stored. */
OVSENDER_SIM_API std::optional<std::string> ovSenderSimRegistryValue(const std::string &section,
                                                                     const std::string &key);
/* Stores a value as ovSenderWriteRegistry would (persisted), without logging a call. */
OVSENDER_SIM_API bool ovSenderSimSetRegistryValue(const std::string &section, const std::string &key,
                                                  const std::string &value);
/* Path of the store file in use ($OSTREL_HOME/ovSender.ini or ~/.config/ostrel/ovSender.ini). */
OVSENDER_SIM_API std::string ovSenderSimStorePath();

/* ---- Sources and encoders ---- */
/* Replaces the video sources; the current source becomes 0 (-1 when the list is empty). */
OVSENDER_SIM_API void ovSenderSimSetVideoSources(const std::vector<OvSenderSimSource> &sources);
/* Replaces the audio sources; the current source becomes 0 (-1 when the list is empty). */
OVSENDER_SIM_API void ovSenderSimSetAudioSources(const std::vector<OvSenderSimSource> &sources);
/* Replaces the video encoders; the current encoder becomes 0 (-1 when the list is empty). */
OVSENDER_SIM_API void ovSenderSimSetVideoEncoders(const std::vector<OvSenderSimEncoder> &encoders);
/* Replaces the audio encoders; the current encoder becomes 0 (-1 when the list is empty). */
OVSENDER_SIM_API void ovSenderSimSetAudioEncoders(const std::vector<OvSenderSimEncoder> &encoders);
/* Property pages shown so far, oldest first. */
OVSENDER_SIM_API std::vector<OvSenderSimPageShow> ovSenderSimShownPropertyPages();
/* Whether ovSenderIsValidDVInterleavedMode reports DV interleaved mode as possible (default true). */
OVSENDER_SIM_API void ovSenderSimSetValidDVInterleavedMode(bool valid);

/* ---- Errors, validity, quit, start-up ---- */
/* Makes ovSenderGetValid false and ovSenderGetErrorMessage report this error (kind 1 to 5). */
OVSENDER_SIM_API void ovSenderSimSetError(int identity, int kind, const std::string &text);
/* Drops an injected error; validity follows the configuration again. */
OVSENDER_SIM_API void ovSenderSimClearError();
/* Sets what ovSenderCheckQuit returns. */
OVSENDER_SIM_API void ovSenderSimSetQuitRequest(bool quit);
/* Makes ovSenderInitialize fail (as OVSENDER_SIM_FAIL_INITIALIZE=1 does) or succeed again. */
OVSENDER_SIM_API void ovSenderSimSetFailInitialize(bool fail);

/* ---- Multicast ---- */
/* Marks traffic as present (or absent) on an address; ovSenderWasDetectedMulticast reports it
 * while a detector for that address is registered. */
OVSENDER_SIM_API void ovSenderSimSetMulticastDetected(const std::string &address, bool detected);
/* Addresses with a registered detector, in order of registration. */
OVSENDER_SIM_API std::vector<std::string> ovSenderSimMulticastDetectors();

/* ---- Levels and rates ---- */
/* Pins the levels ovSenderGetVolume reports (hundredths, -3000 to 0). */
OVSENDER_SIM_API void ovSenderSimSetVolume(int left, int right);
/* Lets the levels move over time again. */
OVSENDER_SIM_API void ovSenderSimReleaseVolume();
/* The evaluation time last passed to ovSenderSetVolumeEvaluationTime. */
OVSENDER_SIM_API int ovSenderSimVolumeEvaluationTime();
/* Pins the transmission rate (bit/s) and frame rate (frames/s) one sender reports. */
OVSENDER_SIM_API void ovSenderSimSetSenderRates(OvSenderSimSender sender, int bitsPerSecond, int framesPerSecond);
/* Lets every sender report simulated rates again. */
OVSENDER_SIM_API void ovSenderSimReleaseSenderRates();

/* ---- Clips ---- */
/* How long a clip or sound file reports playing after it was started (default 3000 ms). */
OVSENDER_SIM_API void ovSenderSimSetPlayDuration(int milliseconds);
/* Ends any playing clip and sound at once. */
OVSENDER_SIM_API void ovSenderSimStopPlaying();

/* ---- Focus ---- */
/* Pins the focus point, as fractions of the sent picture (0.5, 0.5 the centre; values are clamped
 * into 0 … 1): both engines then use it in place of the display pointer. */
OVSENDER_SIM_API void ovSenderSimSetFocusPoint(double x, double y);
/* Lets the focus follow the display pointer again (it stays where it is without a display). */
OVSENDER_SIM_API void ovSenderSimReleaseFocusPoint();

/* ---- UI callback ---- */
/* Whether a UI callback is registered. */
OVSENDER_SIM_API bool ovSenderSimHasUICallback();
/* Calls the registered UI callback on this thread; returns its result, or 0 when none is registered. */
OVSENDER_SIM_API int ovSenderSimFireUICallback(const std::string &name, std::vector<int> args);
/* Calls it from a new thread and waits for that thread to end (the callback must not wait for the
 * calling thread); returns its result, or 0 when none is registered. */
OVSENDER_SIM_API int ovSenderSimFireUICallbackFromThread(const std::string &name, std::vector<int> args);

#endif /* OVSENDER_SIM_H */
