#include "OstrelElement.h"

#include "ElementBridge.h"
#include "ThreadHandOff.h"
#include "VideoCaps.h"

#include <filesystem>
#include <string>
#include <vector>

GST_DEBUG_CATEGORY_EXTERN(ostrel_debug);
#define GST_CAT_DEFAULT ostrel_debug

namespace {

struct OstrelElement {
    GstElement parent;
    ElementBridge* bridge;
    gchar* settingsFile;
    // GStreamer starts the streaming threads after a state change and stops
    // them before the next, under its own locks: what the application thread
    // did comes before a pad function runs, and what a pad function did
    // comes before the state change that stops it (and the element's end).
    // Two markers, so pad functions on different threads stay unordered.
    char toStreaming;
    char fromStreaming;
};

// The hand-offs of one pad function call.
class StreamingCall {
public:
    explicit StreamingCall(GstObject* parent) : m_self(reinterpret_cast<OstrelElement*>(parent))
    {
        TakingOver(&m_self->toStreaming);
    }
    ~StreamingCall() { HandingOver(&m_self->fromStreaming); }
    StreamingCall(const StreamingCall&) = delete;
    StreamingCall& operator=(const StreamingCall&) = delete;

private:
    OstrelElement* const m_self;
};

struct OstrelElementClass {
    GstElementClass parent;
    const ElementDescription* description;
};

GstElementClass* g_parentClass = nullptr;

// Property ids: 1 … settingCount for the settings, then the settings file.
guint SettingsFileProperty(const ElementDescription& description) { return static_cast<guint>(description.settingCount) + 1; }

const ElementDescription& SpecOf(gpointer instance)
{
    return *reinterpret_cast<OstrelElementClass*>(G_OBJECT_GET_CLASS(instance))->description;
}

ElementBridge* BridgeOf(GstObject* parent) { return reinterpret_cast<OstrelElement*>(parent)->bridge; }

int InputOf(GstPad* pad) { return GPOINTER_TO_INT(gst_pad_get_element_private(pad)); }

GstFlowReturn ChainFunction(GstPad* pad, GstObject* parent, GstBuffer* buffer)
{
    StreamingCall call(parent);
    return BridgeOf(parent)->Chain(InputOf(pad), buffer);
}

gboolean SinkEventFunction(GstPad* pad, GstObject* parent, GstEvent* event)
{
    StreamingCall call(parent);
    return BridgeOf(parent)->SinkEvent(InputOf(pad), pad, parent, event);
}

gboolean SinkQueryFunction(GstPad* pad, GstObject* parent, GstQuery* query)
{
    StreamingCall call(parent);
    return BridgeOf(parent)->SinkQuery(InputOf(pad), pad, parent, query);
}

gboolean SrcQueryFunction(GstPad* pad, GstObject* parent, GstQuery* query)
{
    StreamingCall call(parent);
    return BridgeOf(parent)->SrcQuery(pad, parent, query);
}

void SaveSettingsFile(OstrelElement* self)
{
    if (!self->settingsFile) return;
    std::string why;
    if (FAILED(self->bridge->Hosted().SaveSettings(self->settingsFile, why)))
        GST_ELEMENT_WARNING(self, RESOURCE, WRITE, ("%s", why.c_str()), (nullptr));
}

// An existing file is loaded; otherwise the current settings are written
// to it. Either way later changes are saved there too.
void AttachSettingsFile(OstrelElement* self, const gchar* path)
{
    g_free(self->settingsFile);
    self->settingsFile = path && *path ? g_strdup(path) : nullptr;
    if (!self->settingsFile) return;
    std::error_code ec;
    if (!std::filesystem::exists(self->settingsFile, ec)) {
        SaveSettingsFile(self);
        return;
    }
    std::string why;
    if (FAILED(self->bridge->Hosted().LoadSettings(self->settingsFile, why)))
        GST_ELEMENT_WARNING(self, RESOURCE, READ, ("%s", why.c_str()), (nullptr));
}

void SetProperty(GObject* object, guint id, const GValue* value, GParamSpec* pspec)
{
    auto* self = reinterpret_cast<OstrelElement*>(object);
    const ElementDescription& description = SpecOf(object);
    if (id == SettingsFileProperty(description)) {
        AttachSettingsFile(self, g_value_get_string(value));
        return;
    }
    if (id < 1 || id > static_cast<guint>(description.settingCount)) {
        G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
        return;
    }
    const SettingDescription& setting = description.settings[id - 1];
    const gint v = setting.boolean ? g_value_get_boolean(value) : g_value_get_int(value);
    if (!self->bridge->SetSetting(setting, v)) {
        GST_WARNING_OBJECT(self, "%s refused %s = %d", description.friendlyName, setting.name, v);
        return;
    }
    SaveSettingsFile(self);
}

void GetProperty(GObject* object, guint id, GValue* value, GParamSpec* pspec)
{
    auto* self = reinterpret_cast<OstrelElement*>(object);
    const ElementDescription& description = SpecOf(object);
    if (id == SettingsFileProperty(description)) {
        g_value_set_string(value, self->settingsFile);
        return;
    }
    if (id < 1 || id > static_cast<guint>(description.settingCount)) {
        G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, pspec);
        return;
    }
    const SettingDescription& setting = description.settings[id - 1];
    gint v = setting.defaultValue;
    self->bridge->GetSetting(setting, v);
    if (setting.boolean)
        g_value_set_boolean(value, v != 0);
    else
        g_value_set_int(value, v);
}

GstStateChangeReturn ChangeState(GstElement* element, GstStateChange transition)
{
    auto* self = reinterpret_cast<OstrelElement*>(element);
    HandingOver(&self->toStreaming);
    TakingOver(&self->fromStreaming);
    switch (transition) {
    case GST_STATE_CHANGE_NULL_TO_READY:
        if (!self->bridge->Hosted().Filter()) {
            GST_ELEMENT_ERROR(self, LIBRARY, INIT, ("%s", self->bridge->Hosted().Error().c_str()), (nullptr));
            return GST_STATE_CHANGE_FAILURE;
        }
        break;
    case GST_STATE_CHANGE_READY_TO_PAUSED:
        self->bridge->Activate();
        break;
    default:
        break;
    }
    const GstStateChangeReturn result = g_parentClass->change_state(element, transition);
    TakingOver(&self->fromStreaming);
    // The pads are inactive by now, so no push holds the filter's threads.
    if (transition == GST_STATE_CHANGE_PAUSED_TO_READY) self->bridge->Deactivate();
    return result;
}

void Finalize(GObject* object)
{
    auto* self = reinterpret_cast<OstrelElement*>(object);
    TakingOver(&self->fromStreaming);
    delete self->bridge;
    g_free(self->settingsFile);
    G_OBJECT_CLASS(g_parentClass)->finalize(object);
}

void InstanceInit(GTypeInstance* instance, gpointer klass)
{
    auto* self = reinterpret_cast<OstrelElement*>(instance);
    auto* elementClass = GST_ELEMENT_CLASS(klass);
    const ElementDescription& description = *reinterpret_cast<OstrelElementClass*>(klass)->description;
    std::vector<GstPad*> sinks;
    for (int i = 0; i < description.inputs; ++i) {
        const std::string name = SinkPadName(description, i);
        GstPad* pad = gst_pad_new_from_template(gst_element_class_get_pad_template(elementClass, name.c_str()),
                                                name.c_str());
        gst_pad_set_element_private(pad, GINT_TO_POINTER(i));
        gst_pad_set_chain_function(pad, ChainFunction);
        gst_pad_set_event_function(pad, SinkEventFunction);
        gst_pad_set_query_function(pad, SinkQueryFunction);
        // Caps the template allows reach the filter, so a refusal comes back
        // with the filter's reason instead of a bare "not negotiated".
        GST_PAD_SET_ACCEPT_TEMPLATE(pad);
        gst_element_add_pad(GST_ELEMENT(self), pad);
        sinks.push_back(pad);
    }
    GstPad* src = gst_pad_new_from_template(gst_element_class_get_pad_template(elementClass, "src"), "src");
    gst_pad_set_query_function(src, SrcQueryFunction);
    gst_pad_use_fixed_caps(src);
    gst_element_add_pad(GST_ELEMENT(self), src);
    self->settingsFile = nullptr;
    self->bridge = new ElementBridge(GST_ELEMENT(self), description, sinks, src);
    if (!self->bridge->Hosted().Filter()) GST_WARNING_OBJECT(self, "%s", self->bridge->Hosted().Error().c_str());
}

void ClassInit(gpointer klass, gpointer data)
{
    const auto* description = static_cast<const ElementDescription*>(data);
    reinterpret_cast<OstrelElementClass*>(klass)->description = description;
    g_parentClass = GST_ELEMENT_CLASS(g_type_class_peek_parent(klass));
    auto* objectClass = G_OBJECT_CLASS(klass);
    objectClass->set_property = SetProperty;
    objectClass->get_property = GetProperty;
    objectClass->finalize = Finalize;
    auto* elementClass = GST_ELEMENT_CLASS(klass);
    elementClass->change_state = ChangeState;

    constexpr auto flags = static_cast<GParamFlags>(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS |
                                                    GST_PARAM_MUTABLE_PLAYING);
    for (int i = 0; i < description->settingCount; ++i) {
        const SettingDescription& s = description->settings[i];
        GParamSpec* pspec = s.boolean ? g_param_spec_boolean(s.name, s.name, s.blurb, s.defaultValue != 0, flags)
                                      : g_param_spec_int(s.name, s.name, s.blurb, s.minimum, s.maximum,
                                                         s.defaultValue, flags);
        g_object_class_install_property(objectClass, static_cast<guint>(i) + 1, pspec);
    }
    g_object_class_install_property(
        objectClass, SettingsFileProperty(*description),
        g_param_spec_string("settings-file", "Settings file",
                            "The filter's stored settings: an existing file is loaded, otherwise the current "
                            "settings are written to it; later changes are saved there",
                            nullptr, static_cast<GParamFlags>(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS)));

    gst_element_class_set_static_metadata(elementClass, description->friendlyName, "Filter/Effect/Video",
                                          description->description, "Ostrel Sender for Linux");
    GstCaps* caps = description->anyCaps ? gst_caps_new_any()
                                  : gst_caps_from_string(description->inputCaps ? description->inputCaps : OSTREL_VIDEO_CAPS);
    // Always pads, one template each, in the filter's input order.
    for (int i = 0; i < description->inputs; ++i)
        gst_element_class_add_pad_template(
            elementClass, gst_pad_template_new(SinkPadName(*description, i).c_str(), GST_PAD_SINK, GST_PAD_ALWAYS, caps));
    gst_element_class_add_pad_template(elementClass, gst_pad_template_new("src", GST_PAD_SRC, GST_PAD_ALWAYS, caps));
    gst_caps_unref(caps);
}

} // namespace

gboolean RegisterOstrelElement(GstPlugin* plugin, const ElementDescription& description)
{
    GType type = g_type_from_name(description.typeName);
    if (!type) {
        const GTypeInfo info{sizeof(OstrelElementClass), nullptr, nullptr, ClassInit, nullptr, &description,
                             sizeof(OstrelElement), 0, InstanceInit, nullptr};
        type = g_type_register_static(GST_TYPE_ELEMENT, description.typeName, &info, static_cast<GTypeFlags>(0));
    }
    return gst_element_register(plugin, description.elementName, GST_RANK_NONE, type);
}
