#pragma once

#include "SampleBlock.h"

#include <QVariant>
#include <QWidget>
#include <memory>

namespace quillotap {

// Draws audio blocks: a waveform and level display at least; the display
// properties are addressed by number (DISPID) as the visualization presets
// set them. Unknown DISPIDs are refused (SetDispatchProperty returns false).
//
// SetSamples analyses the block and schedules a repaint; painting only draws
// the result. Motion (bar fall, peak hold) runs on the audio time of the
// blocks, not on the wall clock.
//
// Display properties (numbers; 33 is a Boolean). A value outside its range,
// or of the wrong kind, is refused and the previous value stays:
//   14, 15, 16  colours of low, middle and high levels, OLE 0x00BBGGRR
//   20  peak-hold time of the peak markers, ms (0..60000)
//   21  fall speed of bars and peak markers, percent of the full height per
//       100 ms of audio (0..10000)
//   22  gap between bars and between meter segments, pixels (0..100);
//       narrower where the bars are only a few pixels wide
//   23  peak markers shown above the bars (0/1)
//   24  resolution: bands of the spectrum, bars of the oscilloscope's bar
//       styles, segments of the level meter (1..4096); more bands than
//       pixel columns share a column, which shows the loudest
//   25  level where the middle colour starts, percent of the full height
//   26  level where the high colour starts, percent of the full height
//   27  smooth fall: 1 bars fall at the speed of 21, 0 they follow the
//       signal at once (0/1)
//   28  logarithmic frequency axis of the spectrum (0/1)
//   29  background grid (0/1)
//   33  gradient: True colours blend along the level scale, False each
//       level takes the solid colour of its zone
//   34  display mode: 0 oscilloscope, 1 level meter (a row of LED segments
//       per display, -60..0 dBFS, unlit segments dimmed), 2 stereo (X/Y)
//       scope, 3 spectrum (FFT)
//   35  channels: 0 mixed into one display, 1 one display per channel,
//       stacked from the top
//   36  drawing style: 0 lines, 1 bars, 2 dots, 3 segmented (LED) bars,
//       4 filled area, 5 outlined bars, 6 bars mirrored about the centre
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

signals:
    // Every SetDispatchProperty call, in order, with whether it was taken.
    void dispatchPropertySet(int dispid, const QVariant& value, bool accepted);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace quillotap
