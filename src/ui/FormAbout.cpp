#include "ui/FormAbout.h"

#include "widgets/Bitmaps.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace quillotap {

FormAbout::FormAbout(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(tr("About"));
    setModal(false);
    setWindowIcon(ProgramIcon());

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("ImageAbout"));
    picture->setPixmap(ProgramIcon().pixmap(128, 128));
    picture->setAlignment(Qt::AlignCenter);
    picture->setAccessibleName(QStringLiteral("Quillotap"));

    auto* version = new QLabel(tr("Version %1").arg(QStringLiteral("4.0")), this);
    version->setObjectName(QStringLiteral("LabelVersion"));
    version->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(12);
    layout->addWidget(picture);
    layout->addWidget(version);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Clicks on the labels close the box as well as clicks on its background.
    picture->installEventFilter(this);
    version->installEventFilter(this);
}

FormAbout* FormAbout::showFor(QWidget* owner) {
    auto* box = new FormAbout(owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
    return box;
}

bool FormAbout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        close();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FormAbout::mousePressEvent(QMouseEvent*) {
    close();
}

} // namespace quillotap
