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
    connect(c_.positionSlider, &PictureSlider::pressed, &playback_, &Playback::beginPositionDrag);
    connect(c_.inputVolumeSlider, &PictureSlider::pressed, &input_,
            &InputSelection::beginVolumeDrag);
    connect(c_.positionSlider, &PictureSlider::released, this, &SliderHandlers::onPositionReleased);
    connect(c_.playerVolumeSlider, &PictureSlider::released, this,
            &SliderHandlers::onPlayerVolumeReleased);
    connect(c_.balanceSlider, &PictureSlider::released, this, &SliderHandlers::onBalanceReleased);
    connect(c_.inputVolumeSlider, &PictureSlider::released, this,
            &SliderHandlers::onInputVolumeReleased);
}

void SliderHandlers::InitPlayerVolumeSlider() {
    playback_.player().SetInitialValue(0);
    c_.playerVolumeSlider->placeKnobAtValue(playback_.player().GetVolume());
}

void SliderHandlers::InitSliderGeometry() {
    c_.positionSlider->placeKnobAtValue(0);
}

void SliderHandlers::onPositionReleased() {
    // Nothing plays: the position returns to the start.
    if (!playback_.isActive())
        c_.positionSlider->placeKnobAtValue(0);
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
