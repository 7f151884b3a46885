#include "AudioVisualizationEx2.h"

#include "view/BlockAnalyzer.h"
#include "view/VisualizationPainter.h"
#include "view/VisualizationProperties.h"

#include <QPainter>

namespace quillotap {

struct AudioVisualizationEx2::Private {
    view::VisualizationProperties props;
    view::BlockAnalyzer analyzer;
};

AudioVisualizationEx2::AudioVisualizationEx2(QWidget* parent)
    : QWidget(parent), d(std::make_unique<Private>()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(40, 20);
}

AudioVisualizationEx2::~AudioVisualizationEx2() = default;

void AudioVisualizationEx2::SetFormat(int sampleRate, int channels) {
    d->analyzer.setFormat(sampleRate, channels);
    update();
}

void AudioVisualizationEx2::SetSamples(const SampleBlock& block) {
    d->analyzer.feed(block, d->props);
    update();
}

bool AudioVisualizationEx2::SetDispatchProperty(int dispid, const QVariant& value) {
    const bool accepted = d->props.set(dispid, value);
    emit dispatchPropertySet(dispid, value, accepted);
    if (!accepted)
        return false;
    d->analyzer.refresh(d->props);
    update();
    return true;
}

QVariant AudioVisualizationEx2::GetDispatchProperty(int dispid) const {
    return d->props.get(dispid);
}

QSize AudioVisualizationEx2::sizeHint() const {
    return QSize(320, 120);
}

void AudioVisualizationEx2::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    view::VisualizationPainter(painter, d->props).paint(rect(), d->analyzer.frame());
}

} // namespace quillotap
