#pragma once

#include "SampleBlock.h"

#include <QVariant>
#include <QWidget>
#include <memory>

namespace quillotap {

// Draws audio blocks: a waveform and level display at least; the display
// properties are addressed by number (DISPID) as the visualization presets
// set them. Unknown DISPIDs are refused (SetDispatchProperty returns false).
class AudioVisualizationEx2 : public QWidget {
    Q_OBJECT
public:
    explicit AudioVisualizationEx2(QWidget* parent = nullptr);
    ~AudioVisualizationEx2() override;

    void SetFormat(int sampleRate, int channels);
    // Draws the block (interleaved, in the last set format); an empty block
    // clears the pane.
    void SetSamples(const SampleBlock& block);

    bool SetDispatchProperty(int dispid, const QVariant& value);
    QVariant GetDispatchProperty(int dispid) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace quillotap
