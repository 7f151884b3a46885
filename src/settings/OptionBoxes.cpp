#include "settings/OptionBoxes.h"

#include "settings/SettingsSchema.h"

#include <QCheckBox>
#include <QLineEdit>

namespace quillotap {

namespace {

// Shows the corrected form of the box's text, keeping the cursor at the end.
void ShowCorrectedText(QLineEdit* box, const LimitText& corrected) {
    if (box->text() != corrected.text)
        box->setText(corrected.text); // runs the change handling again, which changes nothing
}

} // namespace

OptionBoxes::OptionBoxes(const OptionControls& controls, QObject* parent)
    : QObject(parent), c_(controls) {
    connect(c_.sizeLimitBox, &QCheckBox::toggled, this, &OptionBoxes::onSizeLimitToggled);
    connect(c_.timeLimitBox, &QCheckBox::toggled, this, &OptionBoxes::onTimeLimitToggled);
    connect(c_.sizeLimitText, &QLineEdit::textChanged, this, &OptionBoxes::onSizeTextChanged);
    connect(c_.timeLimitText, &QLineEdit::textChanged, this, &OptionBoxes::onTimeTextChanged);
    // Enter or the focus leaving the box ends the editing.
    connect(c_.sizeLimitText, &QLineEdit::editingFinished, this,
            &OptionBoxes::onSizeEditingFinished);
    connect(c_.timeLimitText, &QLineEdit::editingFinished, this,
            &OptionBoxes::onTimeEditingFinished);
    connect(c_.iconModeBox, &QCheckBox::toggled, this,
            &OptionBoxes::onIconModeWhenMinimisedToggled);
}

CueFlags OptionBoxes::LoadCueFlags() {
    CueFlags flags;
    flags.playStartSound = ReadOption(option::PlayStartSound);
    flags.playStopSound = ReadOption(option::PlayStopSound);
    if (flags.playStartSound)
        c_.startCueBox->setChecked(true);
    if (flags.playStopSound)
        c_.stopCueBox->setChecked(true);
    return flags;
}

void OptionBoxes::LoadLimits() {
    limits_.sizeLimit = ReadOption(option::SizeLimit);
    limits_.timeLimit = ReadOption(option::Timelimit);
    limits_.maxSizeMegabytes = ReadOption(option::MaxSize);
    limits_.maxTimeSeconds = ReadOption(option::MaxTime);
    const bool sizeOn = limits_.sizeLimit;
    const bool timeOn = limits_.timeLimit;
    // The boxes first, so that a ticked limit locks its box on the stored
    // value. The stored values are corrected into the allowed range too; the
    // change handling runs even when the text happens to be unchanged, so the
    // limits always match their boxes.
    c_.sizeLimitText->setText(QString::number(limits_.maxSizeMegabytes));
    onSizeTextChanged();
    onSizeEditingFinished();
    c_.timeLimitText->setText(QString::number(limits_.maxTimeSeconds));
    onTimeTextChanged();
    onTimeEditingFinished();
    if (sizeOn)
        c_.sizeLimitBox->setChecked(true);
    if (timeOn)
        c_.timeLimitBox->setChecked(true);
    emit limitsChanged(limits_);
}

void OptionBoxes::LoadIconModeFlag() {
    iconModeWhenMinimised_ = ReadOption(option::StartIconWhenMin);
    if (iconModeWhenMinimised_)
        c_.iconModeBox->setChecked(true);
}

// A limit value can only be edited while its limit is off; a box that
// locks shows the value in force.
void OptionBoxes::onSizeLimitToggled(bool ticked) {
    limits_.sizeLimit = ticked;
    if (ticked)
        onSizeEditingFinished();
    c_.sizeLimitText->setEnabled(!ticked);
    emit limitsChanged(limits_);
}

void OptionBoxes::onTimeLimitToggled(bool ticked) {
    limits_.timeLimit = ticked;
    if (ticked)
        onTimeEditingFinished();
    c_.timeLimitText->setEnabled(!ticked);
    emit limitsChanged(limits_);
}

// While the user types, the text stays as typed (a box cleared to type 64
// must not turn into "1" and then "164"); the limit in force is already the
// corrected value of whatever the box holds.
void OptionBoxes::onSizeTextChanged() {
    limits_.maxSizeMegabytes = NormalizeSizeLimitText(c_.sizeLimitText->text()).value;
    emit limitsChanged(limits_);
}

void OptionBoxes::onTimeTextChanged() {
    limits_.maxTimeSeconds = NormalizeTimeLimitText(c_.timeLimitText->text()).value;
    emit limitsChanged(limits_);
}

void OptionBoxes::onSizeEditingFinished() {
    ShowCorrectedText(c_.sizeLimitText, NormalizeSizeLimitText(c_.sizeLimitText->text()));
}

void OptionBoxes::onTimeEditingFinished() {
    ShowCorrectedText(c_.timeLimitText, NormalizeTimeLimitText(c_.timeLimitText->text()));
}

void OptionBoxes::FinishLimitEditing() {
    onSizeEditingFinished();
    onTimeEditingFinished();
}

void OptionBoxes::onIconModeWhenMinimisedToggled(bool ticked) {
    iconModeWhenMinimised_ = ticked;
}

void OptionBoxes::Save(const CueFlags& cues) const {
    WriteOption(option::PlayStopSound, cues.playStopSound);
    WriteOption(option::PlayStartSound, cues.playStartSound);
    WriteOption(option::StartIconWhenMin, iconModeWhenMinimised_);
    WriteOption(option::SizeLimit, limits_.sizeLimit);
    WriteOption(option::Timelimit, limits_.timeLimit);
    WriteOption(option::MaxSize, limits_.maxSizeMegabytes);
    WriteOption(option::MaxTime, limits_.maxTimeSeconds);
}

} // namespace quillotap
