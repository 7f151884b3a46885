#include "ui/SliderHandlers.h"

#include "audio/AudioPlayer.h"
#include "files/Playback.h"
#include "recording/InputSelection.h"
#include "widgets/PictureSlider.h"

namespace quillotap {

SliderHandlers::SliderHandlers(Playback& playback, InputSelection& input,
                               const SliderControls& controls, std::function<void()> seekPlayback,
                               QObject* parent)
    : QObject(parent), playback_(playback), input_(input), c_(controls),
      seekPlayback_(std::move(seekPlayback)) {
    connect(c_.PicSlider1, &PictureSlider::pressed, &playback_, &Playback::beginPositionDrag);
    connect(c_.PicSlider4, &PictureSlider::pressed, &input_, &InputSelection::beginVolumeDrag);
    connect(c_.PicSlider1, &PictureSlider::released, this, &SliderHandlers::onPositionReleased);
    connect(c_.PicSlider2, &PictureSlider::released, this, &SliderHandlers::onPlayerVolumeReleased);
    connect(c_.PicSlider3, &PictureSlider::released, this, &SliderHandlers::onBalanceReleased);
    connect(c_.PicSlider4, &PictureSlider::released, this, &SliderHandlers::onInputVolumeReleased);
}

void SliderHandlers::InitPlayerVolumeSlider() {
    playback_.player().SetInitialValue(0);
    c_.PicSlider2->placeKnobAtValue(playback_.player().GetVolume());
}

void SliderHandlers::InitSliderGeometry() {
    c_.PicSlider1->placeKnobAtValue(0);
}

void SliderHandlers::onPositionReleased() {
    // Nothing plays: the position returns to the start.
    if (!playback_.isActive())
        c_.PicSlider1->placeKnobAtValue(0);
    if (seekPlayback_)
        seekPlayback_();
}

void SliderHandlers::onPlayerVolumeReleased(int volume) {
    playback_.player().SetVolume(volume);
}

void SliderHandlers::onBalanceReleased(int balance) {
    input_.applyBalance(balance);
}

void SliderHandlers::onInputVolumeReleased(int volume) {
    input_.applyVolume(volume);
}

} // namespace quillotap
