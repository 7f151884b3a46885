#include "ui/PresetMenus.h"

#include "audio/AudioVisualizationEx2.h"
#include "widgets/PictureButton.h"
#include "ui/VisualizationPresets.h"

#include <QActionGroup>
#include <QCursor>
#include <QMenu>

namespace quillotap {

PresetMenus::PresetMenus(Pane pane1, Pane pane2, QObject* parent)
    : QObject(parent), panes_{pane1, pane2} {
    for (int pane = 1; pane <= 2; ++pane) {
        QMenu* menu = buildMenu(pane);
        menus_[static_cast<size_t>(pane - 1)] = menu;
        if (PictureButton* button = panes_[static_cast<size_t>(pane - 1)].button) {
            connect(button, &PictureButton::clicked, menu, [menu] { menu->popup(QCursor::pos()); });
        }
    }
    markCurrent(1, current_[0]);
    markCurrent(2, current_[1]);
}

QMenu* PresetMenus::buildMenu(int pane) {
    // The menu belongs to the button's window so that it is found among the
    // window's controls and goes with it.
    QWidget* owner = panes_[static_cast<size_t>(pane - 1)].button;
    auto* menu = new QMenu(owner);
    const QString suffix = pane == 1 ? QStringLiteral("a") : QStringLiteral("b");
    menu->setObjectName(QStringLiteral("Menu_P%1").arg(pane));
    menu->setTitle(QStringLiteral("Preset%1").arg(pane));
    menu->setAccessibleName(pane == 1 ? tr("Input display presets")
                                      : tr("Playback display presets"));
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    for (int n = 1; n <= PresetCount; ++n) {
        QAction* item = menu->addAction(tr("preset %1").arg(n));
        item->setObjectName(QStringLiteral("ps%1%2").arg(n).arg(suffix));
        item->setCheckable(true);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, pane, n] { apply(pane, n); });
    }
    return menu;
}

int PresetMenus::current(int pane) const {
    return pane == 1 || pane == 2 ? current_[static_cast<size_t>(pane - 1)] : 0;
}

QMenu* PresetMenus::menu(int pane) const {
    return pane == 1 || pane == 2 ? menus_[static_cast<size_t>(pane - 1)] : nullptr;
}

void PresetMenus::apply(int pane, int preset) {
    if (pane != 1 && pane != 2)
        return;
    AudioVisualizationEx2* display = panes_[static_cast<size_t>(pane - 1)].display;
    if (!display)
        return;
    // The row becomes the pane's current preset even when the display
    // refused some of its values; a number outside the table changes nothing.
    int& current = current_[static_cast<size_t>(pane - 1)];
    if (ApplyPreset(*display, pane, preset))
        current = preset;
    markCurrent(pane, current);
}

void PresetMenus::markCurrent(int pane, int preset) {
    QMenu* m = menu(pane);
    if (!m || preset < 1 || preset > PresetCount)
        return;
    const auto items = m->actions();
    if (preset <= items.size())
        items[preset - 1]->setChecked(true);
}

} // namespace quillotap
