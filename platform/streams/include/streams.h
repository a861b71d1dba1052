// Everything a filter module needs from the media-streaming stand-in.
#pragma once

#include "filter_interfaces.h"
#include "media_type.h"
#include "pin_interfaces.h"
#include "sample_interfaces.h"
#include "video_window.h"
