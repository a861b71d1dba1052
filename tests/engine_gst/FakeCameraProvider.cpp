#include "FakeCameraProvider.h"

#include <gst/gst.h>

#include <mutex>

namespace {

std::mutex gMutex;
std::vector<FakeCamera> gCameras;

// A device needs a type of its own: GstDevice is abstract.
struct FakeDevice {
  GstDevice parent;
};
struct FakeDeviceClass {
  GstDeviceClass parent;
};
G_DEFINE_TYPE(FakeDevice, fake_device, GST_TYPE_DEVICE)
void fake_device_class_init(FakeDeviceClass *) {}
void fake_device_init(FakeDevice *) {}

struct FakeProvider {
  GstDeviceProvider parent;
};
struct FakeProviderClass {
  GstDeviceProviderClass parent;
};
G_DEFINE_TYPE(FakeProvider, fake_provider, GST_TYPE_DEVICE_PROVIDER)

GstDevice *deviceFor(const FakeCamera &camera) {
  GstStructure *properties = gst_structure_new("fake-camera", "device.api", G_TYPE_STRING, "v4l2", "device.path",
                                               G_TYPE_STRING, camera.path.c_str(), nullptr);
  GstCaps *caps = gst_caps_new_empty_simple("video/x-raw");
  auto *device = static_cast<GstDevice *>(g_object_new(fake_device_get_type(), "display-name", camera.name.c_str(),
                                                       "device-class", "Video/Source", "caps", caps, "properties",
                                                       properties, nullptr));
  gst_caps_unref(caps);
  gst_structure_free(properties);
  return device;
}

GList *probeFakeCameras(GstDeviceProvider *) {
  std::lock_guard lock(gMutex);
  GList *devices = nullptr;
  for (const auto &camera : gCameras) devices = g_list_append(devices, gst_object_ref_sink(deviceFor(camera)));
  return devices;
}

void fake_provider_class_init(FakeProviderClass *klass) {
  auto *provider = GST_DEVICE_PROVIDER_CLASS(klass);
  provider->probe = probeFakeCameras;
  gst_device_provider_class_set_static_metadata(provider, "Test cameras", "Source/Video", "Cameras for tests",
                                                "Ostrel tests");
}
void fake_provider_init(FakeProvider *) {}

gboolean registerProvider(GstPlugin *plugin) {
  return gst_device_provider_register(plugin, "ostreltestcameras", GST_RANK_PRIMARY, fake_provider_get_type());
}

}  // namespace

void setFakeCameras(const std::vector<FakeCamera> &cameras) {
  static const bool registered = gst_plugin_register_static(GST_VERSION_MAJOR, GST_VERSION_MINOR, "ostreltestcameras",
                                                            "Cameras for tests", registerProvider, "1.0", "LGPL",
                                                            "tests", "ostrel", "ostrel");
  (void)registered;
  std::lock_guard lock(gMutex);
  gCameras = cameras;
}
