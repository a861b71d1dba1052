// One GStreamer element type per hosted filter, registered from the table.
#pragma once

#include "ElementTable.h"

#include <gst/gst.h>

// Registers the element of `description` with `plugin`.
gboolean RegisterOstrelElement(GstPlugin* plugin, const ElementDescription& description);
