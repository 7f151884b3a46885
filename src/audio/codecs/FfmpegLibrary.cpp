#include "audio/codecs/FfmpegLibrary.h"

#include <dlfcn.h>

#include <QCoreApplication>
#include <atomic>

namespace quillotap {

namespace {

QString loadError(const QString& reason) {
    return QCoreApplication::translate("quillotap::FfmpegLibrary", "FFmpeg could not be loaded: %1")
        .arg(reason);
}

QString dlerrorText() {
    const char* reason = dlerror();
    return reason ? QString::fromLocal8Bit(reason) : QString();
}

// dlopen() with every symbol bound at once, so a library whose own
// dependencies are incomplete fails here and not in the middle of a call.
void* openLibrary(const std::string& soname, QString* error) {
    void* handle = dlopen(soname.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        *error = loadError(dlerrorText());
    return handle;
}

template <typename Function>
bool resolve(void* library, const char* name, Function* slot, QString* error) {
    dlerror();
    void* symbol = dlsym(library, name);
    if (!symbol) {
        // A symbol whose value is null also ends here; dlerror() is then
        // empty, and the name alone says what is wrong.
        const QString reason = dlerrorText();
        *error =
            loadError(reason.isEmpty()
                          ? QCoreApplication::translate("quillotap::FfmpegLibrary", "%1 is missing")
                                .arg(QLatin1String(name))
                          : reason);
        return false;
    }
    *slot = reinterpret_cast<Function>(symbol);
    return true;
}

// FFmpeg prints its own diagnostics to stderr by default; failures reach
// the user through the engine's error texts instead. QUILLOTAP_FFMPEG_LOG
// keeps them for debugging.
void quietLogging(const FfmpegApi& api) {
    if (api.av_log_get_level() == AV_LOG_INFO &&
        qEnvironmentVariableIsEmpty("QUILLOTAP_FFMPEG_LOG"))
        api.av_log_set_level(AV_LOG_FATAL);
}

struct ProcessWide {
    std::unique_ptr<const FfmpegApi> api;
    QString error;
};

std::atomic<const ScopedFfmpegUnavailable*> g_unavailable{nullptr};

} // namespace

FfmpegLibraryNames ffmpegLibraryNames() {
    return FfmpegLibraryNames{
        "libavutil.so." + std::to_string(LIBAVUTIL_VERSION_MAJOR),
        "libswresample.so." + std::to_string(LIBSWRESAMPLE_VERSION_MAJOR),
        "libavcodec.so." + std::to_string(LIBAVCODEC_VERSION_MAJOR),
        "libavformat.so." + std::to_string(LIBAVFORMAT_VERSION_MAJOR),
    };
}

std::unique_ptr<const FfmpegApi> loadFfmpegApi(const FfmpegLibraryNames& names, QString* error) {
    QString ignored;
    if (!error)
        error = &ignored;
    // Handles are never closed: the functions must stay valid for as long as
    // any table exists, and reopening is cheap because the loader counts.
    void* avutil = openLibrary(names.avutil, error);
    void* swresample = avutil ? openLibrary(names.swresample, error) : nullptr;
    void* avcodec = swresample ? openLibrary(names.avcodec, error) : nullptr;
    void* avformat = avcodec ? openLibrary(names.avformat, error) : nullptr;
    if (!avformat)
        return nullptr;

    auto api = std::make_unique<FfmpegApi>();
    bool ok = true;
#define QUILLOTAP_FFMPEG_RESOLVE(library, name)                                                    \
    ok = ok && resolve(library, #name, &api->name, error);
#define QUILLOTAP_FFMPEG_FROM_AVUTIL(name) QUILLOTAP_FFMPEG_RESOLVE(avutil, name)
#define QUILLOTAP_FFMPEG_FROM_SWRESAMPLE(name) QUILLOTAP_FFMPEG_RESOLVE(swresample, name)
#define QUILLOTAP_FFMPEG_FROM_AVCODEC(name) QUILLOTAP_FFMPEG_RESOLVE(avcodec, name)
#define QUILLOTAP_FFMPEG_FROM_AVFORMAT(name) QUILLOTAP_FFMPEG_RESOLVE(avformat, name)
    QUILLOTAP_FFMPEG_AVUTIL_FUNCTIONS(QUILLOTAP_FFMPEG_FROM_AVUTIL)
    QUILLOTAP_FFMPEG_SWRESAMPLE_FUNCTIONS(QUILLOTAP_FFMPEG_FROM_SWRESAMPLE)
    QUILLOTAP_FFMPEG_AVCODEC_FUNCTIONS(QUILLOTAP_FFMPEG_FROM_AVCODEC)
    QUILLOTAP_FFMPEG_AVFORMAT_FUNCTIONS(QUILLOTAP_FFMPEG_FROM_AVFORMAT)
#undef QUILLOTAP_FFMPEG_FROM_AVFORMAT
#undef QUILLOTAP_FFMPEG_FROM_AVCODEC
#undef QUILLOTAP_FFMPEG_FROM_SWRESAMPLE
#undef QUILLOTAP_FFMPEG_FROM_AVUTIL
#undef QUILLOTAP_FFMPEG_RESOLVE
    if (!ok)
        return nullptr;
    return api;
}

const FfmpegApi* ffmpegApi(QString* error) {
    if (const ScopedFfmpegUnavailable* unavailable = g_unavailable.load()) {
        if (error)
            *error = unavailable->error();
        return nullptr;
    }
    // A function-local static is initialised exactly once, with concurrent
    // first callers waiting for it. The table is never freed, so objects
    // that outlive static destruction at exit can still release their
    // FFmpeg resources.
    static const ProcessWide* const loaded = [] {
        auto* result = new ProcessWide;
        result->api = loadFfmpegApi(ffmpegLibraryNames(), &result->error);
        if (result->api)
            quietLogging(*result->api);
        return result;
    }();
    if (!loaded->api && error)
        *error = loaded->error;
    return loaded->api.get();
}

ScopedFfmpegUnavailable::ScopedFfmpegUnavailable(QString error)
    : error_(std::move(error)), previous_(g_unavailable.exchange(this)) {}

ScopedFfmpegUnavailable::~ScopedFfmpegUnavailable() {
    g_unavailable.store(previous_);
}

} // namespace quillotap
