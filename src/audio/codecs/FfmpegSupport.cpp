#include "audio/codecs/FfmpegSupport.h"

extern "C" {
#include <libavutil/error.h>
#include <libavutil/log.h>
}

#include <mutex>

namespace quillotap {

void quietFfmpegLogging() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (av_log_get_level() == AV_LOG_INFO &&
            qEnvironmentVariableIsEmpty("QUILLOTAP_FFMPEG_LOG"))
            av_log_set_level(AV_LOG_FATAL);
    });
}

QString ffmpegErrorText(int code) {
    char buffer[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, buffer, sizeof buffer);
    return QString::fromUtf8(buffer);
}

} // namespace quillotap
