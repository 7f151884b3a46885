#include "formats/FormatLine.h"

#include "formats/FormatCatalogue.h"
#include "formats/FormatOptions.h"
#include "settings/SettingsSchema.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

namespace quillotap {

namespace {
void Call(const std::function<void()>& hook) {
    if (hook)
        hook();
}
} // namespace

FormatLine::FormatLine(QComboBox* list, QLabel* description, QAbstractButton* set,
                       FormatOptions& formats, AudioFile& writer, QWidget* dialogParent,
                       Hooks hooks, QObject* parent)
    : QObject(parent), list_(list), description_(description), set_(set), formats_(formats),
      writer_(writer), dialogParent_(dialogParent), hooks_(std::move(hooks)) {
    connect(list_, &QComboBox::currentIndexChanged, this, &FormatLine::onFormatChosen);
    connect(set_, &QAbstractButton::clicked, this, &FormatLine::onSetClicked);
    description_->installEventFilter(this);
}

void FormatLine::onFormatChosen() {
    const int code = list_->currentIndex();
    const bool recording = hooks_.isRecording && hooks_.isRecording();
    // "Set" stays locked with the format list while a recording runs.
    set_->setEnabled(FormatHasOptions(code) && !recording);
    if (const std::optional<QString> text = DescribeFormat(code, formats_, writer_))
        description_->setText(*text);
    Call(hooks_.formatChanged);
}

void FormatLine::onSetClicked() {
    // The format cannot change in the middle of a file.
    if (hooks_.isRecording && hooks_.isRecording())
        return;
    // No hotkey acts while an options dialog is open.
    Call(hooks_.suspendHotkeys);
    EditOutputFormat(list_->currentIndex(), formats_, writer_, dialogParent_);
    onFormatChosen();
    Call(hooks_.resumeHotkeys);
}

void FormatLine::selectStored() {
    list_->setCurrentIndex(0);
    // An index the list does not have leaves MP3.
    const int index = ReadOption(option::LastFormat);
    if (index < list_->count())
        list_->setCurrentIndex(index);
}

void FormatLine::saveChoice() const {
    WriteOption(option::LastFormat, list_->currentIndex());
}

bool FormatLine::eventFilter(QObject* watched, QEvent* event) {
    // The line is locked with the format list while a recording runs.
    if (watched == description_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && description_->isEnabled()) {
        onSetClicked();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quillotap
