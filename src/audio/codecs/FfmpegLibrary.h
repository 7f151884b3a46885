#pragma once

// FFmpeg is opened with dlopen() on first use instead of being linked: its
// libraries pull in some hundred further shared objects (video codecs among
// them) whose loading would otherwise delay every start of the program,
// although FFmpeg is needed only for WMA files, for files libsndfile cannot
// read, and for sample-rate conversion. The FFmpeg headers still provide the
// types and macros; every function goes through the table below, whose
// members are typed after the header declarations so the compiler checks
// each call.

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libavutil/frame.h>
#include <libavutil/log.h>
#include <libavutil/mathematics.h>
#include <libavutil/mem.h>
#include <libswresample/swresample.h>
}

#include <QString>

#include <memory>
#include <string>
#include <vector>

// The functions taken from each library, X(name) per function.
#define QUILLOTAP_FFMPEG_AVUTIL_FUNCTIONS(X)                                                       \
    X(av_channel_layout_compare)                                                                   \
    X(av_channel_layout_copy)                                                                      \
    X(av_channel_layout_default)                                                                   \
    X(av_channel_layout_uninit)                                                                    \
    X(av_frame_alloc)                                                                              \
    X(av_frame_free)                                                                               \
    X(av_frame_get_buffer)                                                                         \
    X(av_frame_make_writable)                                                                      \
    X(av_frame_unref)                                                                              \
    X(av_free)                                                                                     \
    X(av_freep)                                                                                    \
    X(av_log_get_level)                                                                            \
    X(av_log_set_level)                                                                            \
    X(av_malloc)                                                                                   \
    X(av_rescale)                                                                                  \
    X(av_rescale_q)                                                                                \
    X(av_strdup)                                                                                   \
    X(av_strerror)

#define QUILLOTAP_FFMPEG_SWRESAMPLE_FUNCTIONS(X)                                                   \
    X(swr_alloc_set_opts2)                                                                         \
    X(swr_convert)                                                                                 \
    X(swr_free)                                                                                    \
    X(swr_get_out_samples)                                                                         \
    X(swr_init)                                                                                    \
    X(swr_set_matrix)

#define QUILLOTAP_FFMPEG_AVCODEC_FUNCTIONS(X)                                                      \
    X(av_packet_alloc)                                                                             \
    X(av_packet_free)                                                                              \
    X(av_packet_rescale_ts)                                                                        \
    X(av_packet_unref)                                                                             \
    X(avcodec_alloc_context3)                                                                      \
    X(avcodec_find_encoder)                                                                        \
    X(avcodec_flush_buffers)                                                                       \
    X(avcodec_free_context)                                                                        \
    X(avcodec_open2)                                                                               \
    X(avcodec_parameters_from_context)                                                             \
    X(avcodec_parameters_to_context)                                                               \
    X(avcodec_receive_frame)                                                                       \
    X(avcodec_receive_packet)                                                                      \
    X(avcodec_send_frame)                                                                          \
    X(avcodec_send_packet)

#define QUILLOTAP_FFMPEG_AVFORMAT_FUNCTIONS(X)                                                     \
    X(av_find_best_stream)                                                                         \
    X(av_interleaved_write_frame)                                                                  \
    X(av_read_frame)                                                                               \
    X(av_seek_frame)                                                                               \
    X(av_write_trailer)                                                                            \
    X(avformat_alloc_context)                                                                      \
    X(avformat_alloc_output_context2)                                                              \
    X(avformat_close_input)                                                                        \
    X(avformat_find_stream_info)                                                                   \
    X(avformat_free_context)                                                                       \
    X(avformat_new_stream)                                                                         \
    X(avformat_open_input)                                                                         \
    X(avformat_write_header)                                                                       \
    X(avio_alloc_context)                                                                          \
    X(avio_context_free)                                                                           \
    X(avio_flush)

namespace quillotap {

// The FFmpeg functions this program calls; a member has the name and type of
// the function it points to, so `api->av_frame_alloc()` reads like the
// direct call. A table handed out by the functions below is complete.
struct FfmpegApi {
#define QUILLOTAP_FFMPEG_MEMBER(name) decltype(&::name) name = nullptr;
    QUILLOTAP_FFMPEG_AVUTIL_FUNCTIONS(QUILLOTAP_FFMPEG_MEMBER)
    QUILLOTAP_FFMPEG_SWRESAMPLE_FUNCTIONS(QUILLOTAP_FFMPEG_MEMBER)
    QUILLOTAP_FFMPEG_AVCODEC_FUNCTIONS(QUILLOTAP_FFMPEG_MEMBER)
    QUILLOTAP_FFMPEG_AVFORMAT_FUNCTIONS(QUILLOTAP_FFMPEG_MEMBER)
#undef QUILLOTAP_FFMPEG_MEMBER
};

// The shared objects of the FFmpeg this program was built against, by
// soname (libavutil, libswresample, libavcodec, libavformat, in that order).
struct FfmpegLibraryNames {
    std::string avutil;
    std::string swresample;
    std::string avcodec;
    std::string avformat;
};
FfmpegLibraryNames ffmpegLibraryNames();

// Opens the four libraries and resolves every member of the table. nullptr
// when a library or a function is missing, with *error set to "FFmpeg could
// not be loaded: " and the loader's reason. Libraries once opened stay
// loaded for the life of the process.
std::unique_ptr<const FfmpegApi> loadFfmpegApi(const FfmpegLibraryNames& names, QString* error);

// The process-wide table, loaded by the first call from any thread and kept
// from then on; FFmpeg's own log output is silenced at that moment. nullptr
// when FFmpeg cannot be loaded, with *error (if given) set to the reason;
// every later call gives the same answer.
const FfmpegApi* ffmpegApi(QString* error = nullptr);

// For tests of the paths taken when FFmpeg is missing: while an instance
// lives, ffmpegApi() answers nullptr with the given error text. Objects that
// fetched the table earlier keep using it. Create and destroy it only while
// no other thread starts FFmpeg work.
class ScopedFfmpegUnavailable {
public:
    explicit ScopedFfmpegUnavailable(QString error);
    ~ScopedFfmpegUnavailable();
    ScopedFfmpegUnavailable(const ScopedFfmpegUnavailable&) = delete;
    ScopedFfmpegUnavailable& operator=(const ScopedFfmpegUnavailable&) = delete;
    const QString& error() const { return error_; }

private:
    QString error_;
    const ScopedFfmpegUnavailable* previous_;
};

} // namespace quillotap
