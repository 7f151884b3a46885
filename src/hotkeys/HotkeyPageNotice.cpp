#include "hotkeys/HotkeyPageNotice.h"

#include "hotkeys/HotkeyCode.h"
#include "hotkeys/HotkeyTable.h"
#include "hotkeys/HotkeyTexts.h"
#include "hotkeys/Hotkeys.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTimer>
#include <QTreeWidget>

namespace quillotap {

HotkeyPageNotice::HotkeyPageNotice(Hotkeys& hotkeys, QTreeWidget* list, QLabel* note,
                                   StatusLine statusLine, const QString& program, QObject* parent)
    : QObject(parent), list_(list), note_(note), statusLine_(std::move(statusLine)),
      program_(program) {
    connect(&hotkeys, &Hotkeys::reachChanged, this, &HotkeyPageNotice::show);
    connect(&hotkeys, &Hotkeys::triggerAssigned, this, &HotkeyPageNotice::showTrigger);
    show(hotkeys.reach());
}

QString HotkeyPageNotice::AssignedKeysText(const QString& code, const QString& trigger) {
    if (!trigger.isEmpty())
        return trigger;
    return QCoreApplication::translate("Hotkeys", "%1 (not assigned)").arg(HotkeyDisplayText(code));
}

void HotkeyPageNotice::show(const HotkeyReach& reach) {
    if (note_) {
        const QString text = HotkeyNoticeText(reach, program_);
        note_->setText(text);
        note_->setVisible(!text.isEmpty());
    }
    // Said once, when the hotkeys are first found not to work; switching
    // them off on purpose is no news. The start-up's own status text comes
    // first, so the line is written from the event loop.
    if (reach.state == HotkeyReach::Local && !told_ && statusLine_) {
        told_ = true;
        QTimer::singleShot(0, this, [this] { statusLine_(HotkeyStatusLineText()); });
    }
}

void HotkeyPageNotice::showTrigger(int row, const QString& trigger) {
    QTreeWidgetItem* item = list_ ? list_->topLevelItem(row - 1) : nullptr;
    if (item)
        item->setText(HotkeyKeysColumn, AssignedKeysText(HotkeyCode(item), trigger));
}

} // namespace quillotap
