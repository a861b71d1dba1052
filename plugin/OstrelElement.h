// One GStreamer element type per hosted filter, registered from the table.
#pragma once

#include "ElementTable.h"

#include <gst/gst.h>

// Registers the element of `spec` with `plugin`.
gboolean RegisterOstrelElement(GstPlugin* plugin, const ElementSpec& spec);
