#include "FfmpegFilterGraph.h"

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
}

#include <cstring>

namespace {

std::string AvError(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

// Planar GBR keeps its planes in the order G, B, R.
constexpr int kGbrPlaneOfBgrByte[3] = {1, 0, 2};

} // namespace

FfmpegFilterGraph::FfmpegFilterGraph(int width, int height, AVPixelFormat input, const std::string& filters)
{
    m_graph = avfilter_graph_alloc();
    if (!m_graph) {
        m_error = "no memory for the graph";
        return;
    }
    m_graph->nb_threads = 1;
    const std::string sourceArgs = "video_size=" + std::to_string(width) + "x" + std::to_string(height) +
                                   ":pix_fmt=" + std::to_string(static_cast<int>(input)) +
                                   ":time_base=1/30:pixel_aspect=1/1";
    int rc = avfilter_graph_create_filter(&m_source, avfilter_get_by_name("buffer"), "in", sourceArgs.c_str(),
                                          nullptr, m_graph);
    if (rc >= 0) rc = CreateSink(input);
    if (rc < 0) {
        m_error = "source or sink: " + AvError(rc);
        return;
    }
    AVFilterInOut* outputs = avfilter_inout_alloc();
    AVFilterInOut* inputs = avfilter_inout_alloc();
    outputs->name = av_strdup("in");
    outputs->filter_ctx = m_source;
    inputs->name = av_strdup("out");
    inputs->filter_ctx = m_sink;
    rc = avfilter_graph_parse_ptr(m_graph, filters.c_str(), &inputs, &outputs, nullptr);
    avfilter_inout_free(&inputs);
    avfilter_inout_free(&outputs);
    if (rc >= 0) rc = avfilter_graph_config(m_graph, nullptr);
    if (rc < 0) m_error = "'" + filters + "': " + AvError(rc);
}

// The sink takes the source's format only: frames come out as they went
// in, and a filter that works in another format gets its conversions inside
// the graph, where they show and count.
int FfmpegFilterGraph::CreateSink(AVPixelFormat format)
{
    m_sink = avfilter_graph_alloc_filter(m_graph, avfilter_get_by_name("buffersink"), "out");
    if (!m_sink) return AVERROR(ENOMEM);
    const AVPixelFormat formats[] = {format, AV_PIX_FMT_NONE};
    const int rc = av_opt_set_int_list(m_sink, "pix_fmts", formats, AV_PIX_FMT_NONE, AV_OPT_SEARCH_CHILDREN);
    return rc < 0 ? rc : avfilter_init_str(m_sink, nullptr);
}

FfmpegFilterGraph::~FfmpegFilterGraph() { avfilter_graph_free(&m_graph); }

std::string FfmpegFilterGraph::Describe() const
{
    std::string text;
    if (!m_graph || !m_error.empty()) return text;
    // The graph keeps its filters in the order they were made, conversions
    // last; follow the links from the source instead.
    for (const AVFilterContext* filter = m_source; filter;) {
        if (!text.empty()) text += " → ";
        text += filter->filter->name;
        if (filter->nb_inputs > 0 && filter->inputs[0])
            text += std::string("(") + av_get_pix_fmt_name(static_cast<AVPixelFormat>(filter->inputs[0]->format)) + ")";
        filter = filter->nb_outputs > 0 && filter->outputs[0] ? filter->outputs[0]->dst : nullptr;
    }
    return text;
}

bool FfmpegFilterGraph::Run(AVFrame* frame)
{
    if (!m_error.empty()) return false;
    frame->pts = m_pts++;
    if (av_buffersrc_add_frame_flags(m_source, frame, 0) < 0) return false;
    return av_buffersink_get_frame(m_sink, frame) >= 0;
}

AVFrame* NewFfmpegFrame(int width, int height, AVPixelFormat format, const std::vector<std::uint8_t>& bgr)
{
    AVFrame* frame = av_frame_alloc();
    frame->width = width;
    frame->height = height;
    frame->format = format;
    if (av_frame_get_buffer(frame, 0) < 0) {
        av_frame_free(&frame);
        return nullptr;
    }
    const auto rowBytes = static_cast<std::size_t>(width) * 3;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = bgr.data() + static_cast<std::size_t>(y) * rowBytes;
        if (format == AV_PIX_FMT_BGR24) {
            std::memcpy(frame->data[0] + static_cast<std::ptrdiff_t>(y) * frame->linesize[0], in, rowBytes);
            continue;
        }
        for (int c = 0; c < 3; ++c) {
            const int plane = kGbrPlaneOfBgrByte[c];
            std::uint8_t* out = frame->data[plane] + static_cast<std::ptrdiff_t>(y) * frame->linesize[plane];
            for (int x = 0; x < width; ++x) out[x] = in[3 * x + c];
        }
    }
    return frame;
}

std::vector<std::uint8_t> FfmpegFrameToBgr(const AVFrame* frame)
{
    const auto rowBytes = static_cast<std::size_t>(frame->width) * 3;
    std::vector<std::uint8_t> bgr(rowBytes * static_cast<std::size_t>(frame->height));
    for (int y = 0; y < frame->height; ++y) {
        std::uint8_t* out = bgr.data() + static_cast<std::size_t>(y) * rowBytes;
        if (frame->format == AV_PIX_FMT_BGR24) {
            std::memcpy(out, frame->data[0] + static_cast<std::ptrdiff_t>(y) * frame->linesize[0], rowBytes);
            continue;
        }
        for (int c = 0; c < 3; ++c) {
            const int plane = kGbrPlaneOfBgrByte[c];
            const std::uint8_t* in = frame->data[plane] + static_cast<std::ptrdiff_t>(y) * frame->linesize[plane];
            for (int x = 0; x < frame->width; ++x) out[3 * x + c] = in[x];
        }
    }
    return bgr;
}
