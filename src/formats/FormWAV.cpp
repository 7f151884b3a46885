#include "formats/FormWAV.h"

#include "audio/AudioFile.h"
#include "formats/DialogControls.h"
#include "formats/OutputFormatSettings.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quillotap {

namespace {

QRadioButton* Radio(QLayout* layout, const QString& name, const QString& caption) {
    auto* button = Named(new QRadioButton(caption), name);
    layout->addWidget(button);
    return button;
}

} // namespace

FormWAV::FormWAV(OutputFormatSettings& settings, AudioFile& audioFile, QWidget* owner)
    : QDialog(owner), settings_(settings), audioFile_(audioFile) {
    setObjectName(QStringLiteral("FormWAV"));
    setWindowTitle(QCoreApplication::translate("quillotap::FormWAV", "WAV Option"));
    setAccessibleName(QCoreApplication::translate("quillotap::FormWAV", "WAV Option"));

    // Each group box is its own container, so one button per group is on.
    auto* freqBox =
        Named(new QGroupBox(QCoreApplication::translate("quillotap::FormWAV", " Frequency (Hz) ")),
              QStringLiteral("frmFrequency"));
    auto* freqGrid = new QGridLayout(freqBox);
    for (std::size_t i = 0; i < freq_.size(); ++i) {
        // The second caption carries a trailing blank, as the dialog always had.
        const QString caption = i == 1 ? QStringLiteral("11025 ") : QString::number(Frequencies[i]);
        freq_[i] = Named(new QRadioButton(caption), QStringLiteral("F%1").arg(i + 1));
        freqGrid->addWidget(freq_[i], static_cast<int>(i % 4), static_cast<int>(i / 4));
    }
    auto* chBox =
        Named(new QGroupBox(QCoreApplication::translate("quillotap::FormWAV", " Channels Mode ")),
              QStringLiteral("frmChannels"));
    auto* chLayout = new QVBoxLayout(chBox);
    mono_ = Radio(chLayout, QStringLiteral("P1"),
                  QCoreApplication::translate("quillotap::FormWAV", "Mono"));
    stereo_ = Radio(chLayout, QStringLiteral("P2"),
                    QCoreApplication::translate("quillotap::FormWAV", "Stereo"));
    auto* bitBox =
        Named(new QGroupBox(QCoreApplication::translate("quillotap::FormWAV", " Bits Per Sample ")),
              QStringLiteral("frmBits"));
    auto* bitLayout = new QVBoxLayout(bitBox);
    bits8_ = Radio(bitLayout, QStringLiteral("B1"),
                   QCoreApplication::translate("quillotap::FormWAV", "8 Bit"));
    bits16_ = Radio(bitLayout, QStringLiteral("B2"),
                    QCoreApplication::translate("quillotap::FormWAV", "16 Bit"));

    // The built-in choices, kept when a stored value is none of the offered ones.
    freq_[6]->setChecked(true);
    stereo_->setChecked(true);
    bits16_->setChecked(true);

    auto* ok = Named(new QPushButton(QCoreApplication::translate("quillotap::FormWAV", "Ok")),
                     QStringLiteral("cmdOk"));
    auto* cancel =
        Named(new QPushButton(QCoreApplication::translate("quillotap::FormWAV", "Cancel")),
              QStringLiteral("cmdCancel"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &FormWAV::cmdOk_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* side = new QVBoxLayout;
    side->addWidget(chBox);
    side->addWidget(bitBox);
    auto* groups = new QHBoxLayout;
    groups->addWidget(freqBox);
    groups->addLayout(side);
    auto* main = new QVBoxLayout(this);
    main->addLayout(groups);
    main->addLayout(ButtonRow(ok, cancel));

    Load();
}

void FormWAV::Load() {
    for (std::size_t i = 0; i < freq_.size(); ++i) {
        if (Frequencies[i] == settings_.WAVFreq)
            freq_[i]->setChecked(true);
    }
    if (settings_.WAVChannel == 1)
        mono_->setChecked(true);
    else if (settings_.WAVChannel == 2)
        stereo_->setChecked(true);
    if (settings_.WAVBit == 8)
        bits8_->setChecked(true);
    else if (settings_.WAVBit == 16)
        bits16_->setChecked(true);
    TakeOwnerIcon(*this);
}

void FormWAV::cmdOk_Click() {
    for (std::size_t i = 0; i < freq_.size(); ++i) {
        if (freq_[i]->isChecked())
            settings_.WAVFreq = Frequencies[i];
    }
    settings_.WAVChannel = mono_->isChecked() ? 1 : 2;
    settings_.WAVBit = bits8_->isChecked() ? 8 : 16;
    audioFile_.SetWAVFormat(settings_.WAVFreq, settings_.WAVChannel, settings_.WAVBit);
    accept();
}

} // namespace quillotap
