// Every setting is a property that reaches the filter and reads back, with
// the filter's own default; a saved settings file loads into a new element.
#include "PluginTestSupport.h"

#include "ElementTable.h"
#include "HostedFilter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

GstElement* Make(const ElementDescription& description)
{
    GstElement* element = gst_element_factory_make(description.elementName, nullptr);
    EXPECT_NE(element, nullptr) << description.elementName;
    return element;
}

gint Read(GstElement* element, const SettingDescription& setting)
{
    if (setting.boolean) {
        gboolean value = FALSE;
        g_object_get(element, setting.name, &value, nullptr);
        return value ? 1 : 0;
    }
    gint value = 0;
    g_object_get(element, setting.name, &value, nullptr);
    return value;
}

void Write(GstElement* element, const SettingDescription& setting, gint value)
{
    if (setting.boolean)
        g_object_set(element, setting.name, static_cast<gboolean>(value != 0), nullptr);
    else
        g_object_set(element, setting.name, value, nullptr);
}

// A value next to the default, inside the range (near it, so settings that
// limit each other, as a period and the count within it, keep both).
gint OtherValue(const SettingDescription& setting)
{
    return setting.defaultValue == setting.maximum ? setting.maximum - 1 : setting.defaultValue + 1;
}

class ElementSettings : public ::testing::TestWithParam<int> {
protected:
    const ElementDescription& Description() const { return kElementDescriptions[GetParam()]; }
};

TEST_P(ElementSettings, PropertiesStartAtTheFiltersValuesAndReachIt)
{
    GstElement* element = Make(Description());
    ASSERT_NE(element, nullptr);
    for (int i = 0; i < Description().settingCount; ++i) {
        const SettingDescription& setting = Description().settings[i];
        SCOPED_TRACE(setting.name);
        // Reads go to the filter: a fresh one must hold the advertised default.
        EXPECT_EQ(Read(element, setting), setting.defaultValue);
        Write(element, setting, OtherValue(setting));
        EXPECT_EQ(Read(element, setting), OtherValue(setting));
    }
    gst_object_unref(element);
}

TEST_P(ElementSettings, SavedSettingsLoadIntoANewElement)
{
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("ostrel-settings-" + std::to_string(::getpid()) + "-" + Description().elementName))
                                 .string();
    std::filesystem::remove(path);
    GstElement* first = Make(Description());
    ASSERT_NE(first, nullptr);
    g_object_set(first, "settings-file", path.c_str(), nullptr);
    // Changes after the file is attached are saved to it.
    for (int i = 0; i < Description().settingCount; ++i) Write(first, Description().settings[i], OtherValue(Description().settings[i]));
    gst_object_unref(first);

    std::ifstream file(path, std::ios::binary);
    std::string head(24, '\0');
    file.read(head.data(), 24);
    EXPECT_EQ(head, std::string("0\0" "0\0" "0\0" "0\0" "0\0" "0\0" "0\0" "0\0" "0\0" "0\0" "1\0" " \0", 24));

    GstElement* second = Make(Description());
    ASSERT_NE(second, nullptr);
    g_object_set(second, "settings-file", path.c_str(), nullptr);
    for (int i = 0; i < Description().settingCount; ++i) {
        const SettingDescription& setting = Description().settings[i];
        EXPECT_EQ(Read(second, setting), setting.stored ? OtherValue(setting) : setting.defaultValue) << setting.name;
    }
    gst_object_unref(second);
    std::filesystem::remove(path);
}

INSTANTIATE_TEST_SUITE_P(Elements, ElementSettings, ::testing::Range(0, kElementSpecCount),
                         [](const auto& info) { return std::string(kElementDescriptions[info.param].elementName); });

} // namespace
