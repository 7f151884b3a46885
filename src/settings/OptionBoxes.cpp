#include "settings/OptionBoxes.h"

#include "app/MainState.h"
#include "recording/RecordingLimits.h"
#include "settings/Settings.h"

#include <QCheckBox>
#include <QLineEdit>

#include <cmath>

namespace quillotap {

namespace {

const QString Yes = QStringLiteral("Yes");
const QString No = QStringLiteral("No");

QString YesNo(bool on) {
    return on ? Yes : No;
}

// A "Yes"/"No" option that is on only when the stored text is exactly "Yes".
QString StoredYesMeansOn(const QString& name) {
    return ReadSetting(name) == Yes ? Yes : No;
}

// A stored whole number, or `fallback` when the text is empty or no number.
int StoredNumber(const QString& name, int fallback) {
    const QString text = ReadSetting(name).trimmed();
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > 2147483647.0)
        return fallback;
    return static_cast<int>(std::lround(value));
}

// Shows the corrected form of the box's text, keeping the cursor at the end.
void ShowCorrectedText(QLineEdit* box, const LimitText& corrected) {
    if (box->text() != corrected.text)
        box->setText(corrected.text); // runs the change handling again, which changes nothing
}

} // namespace

OptionBoxes::OptionBoxes(MainState& state, const OptionControls& controls, QObject* parent)
    : QObject(parent), state_(state), c_(controls) {
    connect(c_.CheckSize, &QCheckBox::toggled, this, &OptionBoxes::CheckSize_Click);
    connect(c_.CheckTime, &QCheckBox::toggled, this, &OptionBoxes::CheckTime_Click);
    connect(c_.TextSize, &QLineEdit::textChanged, this, &OptionBoxes::TextSize_Change);
    connect(c_.TextTime, &QLineEdit::textChanged, this, &OptionBoxes::TextTime_Change);
    // Enter or the focus leaving the box ends the editing.
    connect(c_.TextSize, &QLineEdit::editingFinished, this, &OptionBoxes::TextSize_Finish);
    connect(c_.TextTime, &QLineEdit::editingFinished, this, &OptionBoxes::TextTime_Finish);
    connect(c_.CheckIconMode, &QCheckBox::toggled, this, &OptionBoxes::CheckIconMode_Click);
}

void OptionBoxes::LoadCueFlags() {
    state_.PlayStartSound = ReadSetting(QStringLiteral("PlayStartSound")) == No ? No : Yes;
    state_.PlayStopSound = ReadSetting(QStringLiteral("PlayStopSound")) == No ? No : Yes;
    if (state_.PlayStartSound == Yes)
        c_.CheckSound1->setChecked(true);
    if (state_.PlayStopSound == Yes)
        c_.CheckSound2->setChecked(true);
}

void OptionBoxes::LoadLimits() {
    state_.SizeLimit = StoredYesMeansOn(QStringLiteral("SizeLimit"));
    state_.Timelimit = StoredYesMeansOn(QStringLiteral("Timelimit"));
    state_.MaxSize = StoredNumber(QStringLiteral("MaxSize"), 10);
    state_.MaxTime = StoredNumber(QStringLiteral("MaxTime"), 600);
    // The boxes first, so that a ticked limit locks its box on the stored
    // value. The stored values are corrected into the allowed range too; the
    // change handling runs even when the text happens to be unchanged, so the
    // limits always match their boxes.
    c_.TextSize->setText(QString::number(state_.MaxSize));
    TextSize_Change();
    TextSize_Finish();
    c_.TextTime->setText(QString::number(state_.MaxTime));
    TextTime_Change();
    TextTime_Finish();
    if (state_.SizeLimit == Yes)
        c_.CheckSize->setChecked(true);
    if (state_.Timelimit == Yes)
        c_.CheckTime->setChecked(true);
}

void OptionBoxes::LoadIconModeFlag() {
    state_.StartIconWhenMin = StoredYesMeansOn(QStringLiteral("StartIconWhenMin"));
    if (state_.StartIconWhenMin == Yes)
        c_.CheckIconMode->setChecked(true);
}

// A limit value can only be edited while its limit is off; a box that
// locks shows the value in force.
void OptionBoxes::CheckSize_Click(bool ticked) {
    state_.SizeLimit = YesNo(ticked);
    if (ticked)
        TextSize_Finish();
    c_.TextSize->setEnabled(!ticked);
}

void OptionBoxes::CheckTime_Click(bool ticked) {
    state_.Timelimit = YesNo(ticked);
    if (ticked)
        TextTime_Finish();
    c_.TextTime->setEnabled(!ticked);
}

// While the user types, the text stays as typed (a box cleared to type 64
// must not turn into "1" and then "164"); the limit in force is already the
// corrected value of whatever the box holds.
void OptionBoxes::TextSize_Change() {
    state_.MaxSize = NormalizeSizeLimitText(c_.TextSize->text()).value;
}

void OptionBoxes::TextTime_Change() {
    state_.MaxTime = NormalizeTimeLimitText(c_.TextTime->text()).value;
}

void OptionBoxes::TextSize_Finish() {
    ShowCorrectedText(c_.TextSize, NormalizeSizeLimitText(c_.TextSize->text()));
}

void OptionBoxes::TextTime_Finish() {
    ShowCorrectedText(c_.TextTime, NormalizeTimeLimitText(c_.TextTime->text()));
}

void OptionBoxes::FinishLimitEditing() {
    TextSize_Finish();
    TextTime_Finish();
}

void OptionBoxes::CheckIconMode_Click(bool ticked) {
    state_.StartIconWhenMin = YesNo(ticked);
}

void SaveOptionFlags(const MainState& state) {
    WriteSetting(QStringLiteral("PlayStopSound"), state.PlayStopSound);
    WriteSetting(QStringLiteral("PlayStartSound"), state.PlayStartSound);
    WriteSetting(QStringLiteral("StartIconWhenMin"), state.StartIconWhenMin);
    WriteSetting(QStringLiteral("SizeLimit"), state.SizeLimit);
    WriteSetting(QStringLiteral("Timelimit"), state.Timelimit);
    WriteSetting(QStringLiteral("MaxSize"), QString::number(state.MaxSize));
    WriteSetting(QStringLiteral("MaxTime"), QString::number(state.MaxTime));
}

} // namespace quillotap
