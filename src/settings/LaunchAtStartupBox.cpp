#include "settings/LaunchAtStartupBox.h"

#include "settings/LaunchAtStartup.h"

#include <QAbstractButton>

namespace quillotap {

LaunchAtStartupBox::LaunchAtStartupBox(QAbstractButton* box, Message warning, QObject* parent)
    : QObject(parent), box_(box), warning_(std::move(warning)) {
    connect(box_, &QAbstractButton::toggled, this, &LaunchAtStartupBox::onToggled);
}

void LaunchAtStartupBox::load() {
    if (LaunchAtStartupStored())
        box_->setChecked(true);
}

void LaunchAtStartupBox::onToggled(bool ticked) {
    QString error;
    if (SetLaunchAtStartup(ticked, &error))
        return;
    // The box shows what will happen at the next login: unticked when the
    // entry could not be written, ticked when it could not be removed.
    const QSignalBlocker quiet(box_);
    box_->setChecked(!ticked);
    if (warning_)
        warning_(error);
}

} // namespace quillotap
