// What the four picture sliders drive once the user lets go of a knob:
// the playback position, the player volume, and the balance and volume of
// the chosen input source. While a knob is held, the position and input
// volume are marked busy so that playback progress and volume changes made
// elsewhere do not move it under the pointer.
#pragma once

#include <QObject>

#include <functional>

namespace quillotap {

class InputSelection;
class PictureSlider;
class Playback;

struct SliderControls {
    PictureSlider* positionSlider = nullptr;     // playback position, 0..100
    PictureSlider* playerVolumeSlider = nullptr; // player volume, 0..65535
    PictureSlider* balanceSlider = nullptr;      // input balance, 0..100
    PictureSlider* inputVolumeSlider = nullptr;  // input volume, 0..65535 (top)
};

class SliderHandlers : public QObject {
    Q_OBJECT
public:
    // `seekPlayback` moves playback to the released position and ends the
    // position drag.
    SliderHandlers(Playback& playback, InputSelection& input, const SliderControls& controls,
                   std::function<void()> seekPlayback, QObject* parent = nullptr);

    // Start-up: the player volume knob from the player's volume.
    void InitPlayerVolumeSlider();
    // Start-up: the position knob at the left end.
    void InitSliderGeometry();

    void onPositionReleased();
    void onPlayerVolumeReleased(int volume);
    void onBalanceReleased(int balance);
    void onInputVolumeReleased(int volume);

private:
    Playback& playback_;
    InputSelection& input_;
    SliderControls c_;
    std::function<void()> seekPlayback_;
};

} // namespace quillotap
