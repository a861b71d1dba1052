// What the plugin knows of each filter it hosts: the element's name and
// texts, the module and class that provide the filter, the shape of its
// pads, and its settings as GObject properties.
#pragma once

#include "guid.h"
#include "unknwn.h"

#include <glib.h>

#include <string>

// One setting of a filter's settings interface. Flags travel as booleans.
struct SettingDescription {
    const char* name;
    const char* blurb;
    bool boolean;
    gint minimum;
    gint maximum;
    gint defaultValue;
    HRESULT (*get)(IUnknown* settings, gint* value);
    HRESULT (*set)(IUnknown* settings, gint value);
    // Part of the filter's persisted settings stream.
    bool stored = true;
};

struct ElementDescription {
    const char* elementName;   // "ostrelgreenshift"
    const char* typeName;      // GObject type name
    const char* friendlyName;  // the filter's registered name
    const char* description;
    const char* module;        // file name of the module, beside the plugin
    CLSID clsid;
    IID settingsIid;
    int inputs;
    // The filter's result changes with the order of the rows it is given,
    // so frames are turned bottom-up on the way in and back on the way out,
    // unless the filter takes them top-down (see takesTopDown).
    bool rowOrderMatters;
    // The filter changes the first input's buffer and passes it on; any
    // further input only feeds it (its buffers go no further).
    bool inPlace;
    // The setting named "video-colour" narrows the caps the inputs offer.
    bool hasVideoColour;
    const SettingDescription* settings;
    int settingCount;
    // The caps the inputs take, when not both video formats.
    const char* inputCaps = nullptr;
    // Anything may pass (the filter queues media it does not look into);
    // what is not video of the two formats travels as a plain stream.
    bool anyCaps = false;
    // The filter compares sample times with the wall clock (100 ns since
    // 1970): buffers are stamped with the wall time they are due at.
    bool wallClockTimes = false;
    // The filter passes end of stream on at once, ahead of samples it still
    // queues: the element ends the stream once those have gone out.
    bool queuesSamples = false;
    // Names of the sink pads in the filter's input order, when not "sink"
    // (one input) or "sink_0" … "sink_N-1".
    const char* const* sinkNames = nullptr;
    // The filter gives a top-down frame (negative height) the picture it
    // gives the bottom-up one: frames reach it as GStreamer has them, with
    // no rows turned. Should it refuse the top-down type, they are turned.
    bool takesTopDown = false;
};

std::string SinkPadName(const ElementDescription& description, int index);

extern const ElementDescription kElementDescriptions[];
extern const int kElementSpecCount;
