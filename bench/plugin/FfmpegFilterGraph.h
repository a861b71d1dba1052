// One libavfilter graph, built once: buffer source → the given filters →
// buffer sink, on a single thread so that its CPU time compares with our
// single-threaded filters. Frames go in and come back out one at a time,
// in the format they went in.
#pragma once

extern "C" {
#include <libavfilter/avfilter.h>
#include <libavutil/frame.h>
#include <libavutil/pixfmt.h>
}

#include <cstdint>
#include <string>
#include <vector>

class FfmpegFilterGraph {
public:
    // `filters` in FFmpeg's filter-graph syntax, e.g. "stereo3d=sbsl:icl".
    FfmpegFilterGraph(int width, int height, AVPixelFormat input, const std::string& filters);
    ~FfmpegFilterGraph();
    FfmpegFilterGraph(const FfmpegFilterGraph&) = delete;
    FfmpegFilterGraph& operator=(const FfmpegFilterGraph&) = delete;

    // Empty when the graph is ready, else why it is not.
    const std::string& Error() const { return m_error; }
    // The filters in order with the pixel format each one takes, so an
    // inserted conversion shows: "buffer(bgr24) stereo3d(bgr24) ...".
    std::string Describe() const;
    // Hands `frame` to the graph (which may then work on it in place) and
    // puts the output frame in its place. False on any error.
    bool Run(AVFrame* frame);

private:
    int CreateSink(AVPixelFormat format);

    AVFilterGraph* m_graph = nullptr;
    AVFilterContext* m_source = nullptr;
    AVFilterContext* m_sink = nullptr;
    std::int64_t m_pts = 0;
    std::string m_error;
};

// A frame of `format` (bgr24 or gbrp) holding `bgr`, packed top-down rows.
AVFrame* NewFfmpegFrame(int width, int height, AVPixelFormat format, const std::vector<std::uint8_t>& bgr);
// The frame's picture back as packed BGR rows, top-down.
std::vector<std::uint8_t> FfmpegFrameToBgr(const AVFrame* frame);
