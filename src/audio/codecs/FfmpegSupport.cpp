#include "audio/codecs/FfmpegSupport.h"

#include "audio/codecs/FfmpegLibrary.h"
#include <QCoreApplication>

namespace quillotap {

QString ffmpegErrorText(const FfmpegApi& api, int code) {
    char buffer[AV_ERROR_MAX_STRING_SIZE] = {};
    if (api.av_strerror(code, buffer, sizeof buffer) < 0 && buffer[0] == '\0')
        return QCoreApplication::translate("quillotap::FfmpegSupport", "error %1").arg(code);
    return QString::fromUtf8(buffer);
}

} // namespace quillotap
