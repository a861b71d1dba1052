// Refused caps end negotiation with the filter's reason and no crash; every
// element survives repeated state cycles with frames flowing.
#include "PluginTestSupport.h"

#include "ElementTable.h"

#include <gtest/gtest.h>

namespace {

struct RefusalCase {
    const char* name;
    const char* factory;
    int inputs;
    const char* properties;
    std::vector<std::tuple<const char*, int, int>> caps;  // format, width, height per input
    const char* reason;                                    // part of the error text
};

class RefusedCaps : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedCaps, FailNegotiationWithAReadableMessage)
{
    const RefusalCase& c = GetParam();
    ElementRun run(c.factory, c.inputs, c.properties);
    std::vector<GstCaps*> caps;
    for (const auto& [format, width, height] : c.caps) caps.push_back(VideoCaps(format, width, height));
    run.Start(caps);
    for (int i = 0; i < c.inputs; ++i) {
        const auto& [format, width, height] = c.caps[static_cast<std::size_t>(i)];
        const std::size_t bytes = static_cast<std::size_t>(width * height) * (std::string(format) == "BGR" ? 3 : 2);
        run.Push(i, Bytes(bytes, 0x40), 0, GST_SECOND / 30);
    }
    const std::string error = run.WaitForError();
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedCaps,
    ::testing::Values(
        RefusalCase{"VideoColourRgb555Only", "ostrelgreenshift", 1, "video-colour=0", {{"BGR", 8, 4}},
                    "video-colour setting 0"},
        RefusalCase{"VideoColourRgb24Only", "ostrelinterlace", 1, "video-colour=1", {{"RGB15", 8, 4}},
                    "video-colour setting 1"},
        RefusalCase{"PaddedRows", "ostrelgreenshift", 1, "", {{"BGR", 5, 4}}, "padded"},
        RefusalCase{"InputsOfTwoSizes", "ostrelstereodisplay", 2, "", {{"BGR", 8, 4}, {"BGR", 16, 4}},
                    "same format, width and height"},
        RefusalCase{"SubFrameOfAnotherSize", "ostrelsubliminal", 2, "", {{"BGR", 8, 4}, {"BGR", 8, 6}},
                    "same format, width and height"}),
    [](const auto& info) { return std::string(info.param.name); });

// A flush reaches the filter and downstream; frames after it still come
// out, and so does the end of the stream.
class Flushes : public ::testing::TestWithParam<int> {};

TEST_P(Flushes, LeaveTheStreamFlowing)
{
    const ElementDescription& description = kElementDescriptions[GetParam()];
    ElementRun run(description.elementName, description.inputs);
    std::vector<GstCaps*> caps;
    for (int i = 0; i < description.inputs; ++i) caps.push_back(VideoCaps("BGR", 8, 4));
    ASSERT_TRUE(run.Start(caps));
    const Bytes before(8 * 4 * 3, 0x11);
    const Bytes after = TestPicture(8 * 4 * 3, 5);
    for (int i = 0; i < description.inputs; ++i) run.Push(i, before, 0, GST_SECOND / 30);
    g_usleep(50 * 1000);
    run.Flush(0);
    for (int i = 0; i < description.inputs; ++i) run.Push(i, after, 0, GST_SECOND / 30);
    run.EndInputs();
    const std::vector<OutputBuffer> outputs = run.Collect();
    EXPECT_TRUE(run.SawEndOfStream());
    EXPECT_FALSE(outputs.empty());
}

INSTANTIATE_TEST_SUITE_P(Shapes, Flushes, ::testing::Values(0, 2),
                         [](const auto& info) { return std::string(kElementDescriptions[info.param].elementName); });

class StateCycles : public ::testing::TestWithParam<int> {};

TEST_P(StateCycles, SurviveRepeatedPlayAndStop)
{
    const ElementDescription& description = kElementDescriptions[GetParam()];
    ElementRun run(description.elementName, description.inputs);
    const Bytes frame(8 * 4 * 3, 0x80);
    for (int cycle = 0; cycle < 3; ++cycle) {
        std::vector<GstCaps*> caps;
        for (int i = 0; i < description.inputs; ++i) caps.push_back(VideoCaps("BGR", 8, 4));
        ASSERT_TRUE(run.Start(caps));
        for (int i = 0; i < description.inputs; ++i) run.Push(i, frame, 0, GST_SECOND / 30);
        gst_element_set_state(run.Element(), GST_STATE_NULL);
        GstElement* pipeline = GST_ELEMENT(gst_element_get_parent(run.Element()));
        gst_element_set_state(pipeline, GST_STATE_NULL);
        gst_object_unref(pipeline);
    }
}

INSTANTIATE_TEST_SUITE_P(Elements, StateCycles, ::testing::Range(0, kElementSpecCount),
                         [](const auto& info) { return std::string(kElementDescriptions[info.param].elementName); });

} // namespace
