#include "ui/SliderHandlers.h"

#include "app/MainState.h"
#include "ui/PictureSlider.h"

namespace quillotap {

SliderHandlers::SliderHandlers(MainState& state, const SliderControls& controls,
                               std::function<void()> seekPlayback, QObject* parent)
    : QObject(parent), state_(state), c_(controls), seekPlayback_(std::move(seekPlayback)) {
    connect(c_.PicSlider1, &PictureSlider::pressed, this,
            [this] { state_.PositionDragging = true; });
    connect(c_.PicSlider4, &PictureSlider::pressed, this, [this] { state_.SrcVolumeBusy = true; });
    connect(c_.PicSlider1, &PictureSlider::released, this, &SliderHandlers::PicSlider1_Release);
    connect(c_.PicSlider2, &PictureSlider::released, this, &SliderHandlers::PicSlider2_Release);
    connect(c_.PicSlider3, &PictureSlider::released, this, &SliderHandlers::PicSlider3_Release);
    connect(c_.PicSlider4, &PictureSlider::released, this, &SliderHandlers::PicSlider4_Release);
}

void SliderHandlers::InitPlayerVolumeSlider() {
    state_.AudioPlayer->SetInitialValue(0);
    c_.PicSlider2->placeKnobAtValue(state_.AudioPlayer->GetVolume());
}

void SliderHandlers::InitSliderGeometry() {
    c_.PicSlider1->placeKnobAtValue(0);
}

void SliderHandlers::PicSlider1_Release() {
    // Nothing plays: the position returns to the start.
    if (!state_.PlayerActive)
        c_.PicSlider1->placeKnobAtValue(0);
    if (seekPlayback_)
        seekPlayback_();
}

void SliderHandlers::PicSlider2_Release(int volume) {
    state_.AudioPlayer->SetVolume(volume);
}

void SliderHandlers::PicSlider3_Release(int balance) {
    state_.AudioRecord->SelectLine(state_.SourceLine);
    state_.AudioRecord->SetLineBalance(balance);
}

void SliderHandlers::PicSlider4_Release(int volume) {
    state_.SrcVolumeBusy = false;
    state_.AudioRecord->SelectLine(state_.SourceLine);
    state_.AudioRecord->SetLineVolume(volume);
}

} // namespace quillotap
