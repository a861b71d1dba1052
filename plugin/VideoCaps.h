// The two video types the filters take, as GStreamer caps and as media
// types: video/x-raw BGR is RGB24, RGB15 is RGB555. GStreamer rows run top
// down, a media type's frames bottom up (positive biHeight).
#pragma once

#include "media_type.h"

#include <gst/gst.h>

#include <string>

// The caps every video pad of the plugin offers.
#define OSTREL_VIDEO_CAPS                                                                                        \
    "video/x-raw, format = (string) { BGR, RGB15 }, width = (int) [ 1, 16384 ], height = (int) [ 1, 16384 ], " \
    "framerate = (fraction) [ 0/1, 1000/1 ]"

// Fills `type` from fixed caps; false with the reason in `why` for caps no
// filter can take (another format, a frame without pixels or too large for
// a sample, or rows GStreamer pads that a packed frame has not).
bool MediaTypeFromCaps(const GstCaps* caps, CMediaType& type, std::string& why);
// The same frames with their rows the way GStreamer has them: the top row
// first (negative biHeight). Types other than video are left as they are.
void MakeTopDown(CMediaType& type);
// Caps for a video media type of either subtype; null for any other, and
// for frames without pixels (no width or no rows).
GstCaps* CapsFromMediaType(const CMediaType& type);
// Caps with only the formats a video colour setting lets through.
GstCaps* CapsForVideoColour(LONG videoColour);
