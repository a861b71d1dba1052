// The plugin: one element for each hosted filter whose module is beside the
// plugin or whose class is registered.
#include "HostedFilter.h"
#include "OstrelElement.h"

#include <gst/gst.h>

// Named in the plugin description.
#define PACKAGE "ostrel"

GST_DEBUG_CATEGORY(ostrel_debug);

namespace {

gboolean PluginInit(GstPlugin* plugin)
{
    GST_DEBUG_CATEGORY_INIT(ostrel_debug, "ostrel", 0, "Ostrel filters hosted as elements");
    gboolean any = FALSE;
    for (int i = 0; i < kElementSpecCount; ++i) {
        const ElementDescription& description = kElementDescriptions[i];
        if (FilterAvailable(description) && RegisterOstrelElement(plugin, description)) any = TRUE;
    }
    return any;
}

} // namespace

GST_PLUGIN_DEFINE(GST_VERSION_MAJOR, GST_VERSION_MINOR, ostrel, "Ostrel filter modules as video elements",
                  PluginInit, "1.0", "Proprietary", "ostrel", "Ostrel Sender for Linux")
