#include "app/ShownTimestamp.h"

#include <QEvent>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace quillotap {

namespace {

class FirstPaintReporter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            std::printf("shown %lld\n",
                        static_cast<long long>(std::chrono::nanoseconds(now).count()));
            std::fflush(stdout);
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void ReportWhenShown(QWidget* window) {
    if (qEnvironmentVariable("QUILLOTAP_BENCH_STARTUP") != QLatin1String("1"))
        return;
    window->installEventFilter(new FirstPaintReporter(window));
}

} // namespace quillotap
