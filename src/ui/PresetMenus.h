// The popup menus that choose the display preset of the two visualization
// panes, opened by the small picture button beside each pane.
#pragma once

#include <QObject>
#include <array>

class QAction;
class QMenu;

namespace quillotap {

class AudioVisualizationEx2;
class PictureButton;

class PresetMenus : public QObject {
    Q_OBJECT
public:
    struct Pane {
        AudioVisualizationEx2* display = nullptr;
        PictureButton* button = nullptr;
    };

    // Builds "Preset1" (Menu_P1, items ps1a..ps12a) for pane 1 and "Preset2"
    // (Menu_P2, items ps1b..ps12b) for pane 2; a click on a pane's button
    // pops its menu up at the pointer.
    PresetMenus(Pane pane1, Pane pane2, QObject* parent);

    // Applies preset n (1..12) to pane 1 or 2, records it as the pane's
    // current preset and ticks it in the pane's menu.
    void apply(int pane, int preset);

    // The preset (1..12) last applied to pane 1 or 2; until then the
    // first-start defaults 4 and 11.
    int current(int pane) const;

    QMenu* menu(int pane) const;

private:
    QMenu* buildMenu(int pane);
    void markCurrent(int pane, int preset);

    std::array<Pane, 2> panes_;
    std::array<int, 2> current_{4, 11};
    std::array<QMenu*, 2> menus_{};
};

} // namespace quillotap
