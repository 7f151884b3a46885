#include "formats/FormWMA.h"

#include "audio/AudioFile.h"
#include "formats/DialogControls.h"
#include "formats/OutputFormatSettings.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quillotap {

namespace {

// List positions of the shortcut profiles 10, 14 and 35.
constexpr int kShortcutPositions[3] = {9, 13, 34};

} // namespace

FormWMA::FormWMA(OutputFormatSettings& settings, AudioFile& audioFile, QWidget* owner)
    : QDialog(owner), settings_(settings), audioFile_(audioFile) {
    setObjectName(QStringLiteral("FormWMA"));
    setWindowTitle(QCoreApplication::translate("quillotap::FormWMA", " WMA Option"));
    setAccessibleName(QCoreApplication::translate("quillotap::FormWMA", "WMA Option"));

    auto* label = Named(new QLabel(QCoreApplication::translate("quillotap::FormWMA", "Presets:")),
                        QStringLiteral("Label1"));
    combo_ = Named(new QComboBox, QStringLiteral("Combo1"),
                   QCoreApplication::translate("quillotap::FormWMA", "Presets"));
    combo_->setEditable(false);
    // A drop-down of a screenful at most, scrolled, rather than a list that
    // covers the whole screen with all 47 profiles.
    combo_->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    combo_->setMaxVisibleItems(16);
    label->setBuddy(combo_);

    static const char* const kCaptions[3] = {
        QT_TRANSLATE_NOOP("quillotap::FormWMA", "Normal quality. Normal size."),
        QT_TRANSLATE_NOOP("quillotap::FormWMA", "Good quality. Small size. (default)"),
        QT_TRANSLATE_NOOP("quillotap::FormWMA", "Poor quality. Very small size.")};
    // One exclusive group: clicking the shortcut that is already on leaves
    // it on. Only a list choice outside the three clears them (Combo1_Click).
    shortcuts_ = new QButtonGroup(this);
    shortcuts_->setExclusive(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(combo_);
    for (int i = 0; i < 3; ++i) {
        options_[i] =
            Named(new QRadioButton(QCoreApplication::translate("quillotap::FormWMA", kCaptions[i])),
                  QStringLiteral("Option%1").arg(i + 1));
        shortcuts_->addButton(options_[i], i);
        layout->addWidget(options_[i]);
        connect(options_[i], &QRadioButton::clicked, this,
                [this, i] { combo_->setCurrentIndex(kShortcutPositions[i]); });
    }

    ok_ = Named(new QPushButton(QCoreApplication::translate("quillotap::FormWMA", "OK")),
                QStringLiteral("CmdOK"));
    auto* cancel =
        Named(new QPushButton(QCoreApplication::translate("quillotap::FormWMA", "Cancel")),
              QStringLiteral("CmdCancel"));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &FormWMA::CmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addLayout(ButtonRow(ok_, cancel));

    Load();
    connect(combo_, &QComboBox::currentIndexChanged, this, &FormWMA::Combo1_Click);
}

void FormWMA::Load() {
    for (int n = 1; n <= ProfileCount; ++n) {
        audioFile_.SetWMAProfile(n);
        combo_->addItem(audioFile_.GetFormatDescription());
    }
    // A stored profile outside 1..47 opens with nothing selected.
    const int position = settings_.WMAProfile >= 1 && settings_.WMAProfile <= ProfileCount
                             ? settings_.WMAProfile - 1
                             : -1;
    combo_->setCurrentIndex(position);
    Combo1_Click(position);
    TakeOwnerIcon(*this);
}

void FormWMA::Combo1_Click(int position) {
    // The shortcuts always show the list's choice. An exclusive group keeps
    // its checked button; it lets go only while it is not exclusive.
    shortcuts_->setExclusive(false);
    for (int i = 0; i < 3; ++i)
        options_[i]->setChecked(position == kShortcutPositions[i]);
    shortcuts_->setExclusive(true);
    // Without a selection OK would store profile 0, so it waits for a choice.
    ok_->setEnabled(position >= 0);
}

void FormWMA::CmdOK_Click() {
    const int position = combo_->currentIndex();
    if (position < 0)
        return;
    settings_.WMAProfile = position + 1;
    audioFile_.SetWMAProfile(settings_.WMAProfile);
    accept();
}

} // namespace quillotap
