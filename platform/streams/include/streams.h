// Everything a filter module needs from the media-streaming stand-in.
//
//   CMediaType            media_type.h          owning AM_MEDIA_TYPE, deep copies
//   CMemAllocator         allocator.h           sample pool (commit, blocking GetBuffer)
//   CMediaSample          media_sample.h        IMediaSample2 of that pool
//   CBaseFilter           base_filter.h         pins by index, Stop/Pause/Run, clock, graph
//   CBasePin              base_pin.h            connection and type agreement
//   CBaseInputPin         input_pin.h           IMemInputPin, Receive checks, flushing
//   CBaseOutputPin        output_pin.h          allocator negotiation, Deliver*
//   CTransformFilter      transform_filter.h    one in, one out, new output samples
//   CTransInPlaceFilter   transinplace_filter.h one in, one out, sample changed in place
//   CSourceStream         source_stream.h       output pin with its own worker thread
#pragma once

#include "allocator.h"
#include "base_filter.h"
#include "base_pin.h"
#include "filter_interfaces.h"
#include "input_pin.h"
#include "media_type.h"
#include "output_pin.h"
#include "pin_interfaces.h"
#include "sample_interfaces.h"
#include "source_stream.h"
#include "transform_filter.h"
#include "transinplace_filter.h"
#include "video_window.h"
