#include "formats/FormOPUS.h"

#include "audio/AudioFile.h"
#include "audio/codecs/OpusEncoder.h"
#include "formats/DialogControls.h"
#include "formats/OutputFormatSettings.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace quillotap {

FormOPUS::FormOPUS(OutputFormatSettings& settings, AudioFile& audioFile, QWidget* owner)
    : QDialog(owner), settings_(settings), audioFile_(audioFile) {
    setObjectName(QStringLiteral("FormOPUS"));
    setWindowTitle(tr("OPUS Option"));
    setAccessibleName(tr("OPUS Option"));

    auto* rateBox = Named(new QGroupBox(tr(" Bitrate ")), QStringLiteral("frmBitrate"));
    sldrBitrate_ = Named(new QSlider(Qt::Horizontal), QStringLiteral("sldrBitrate"), tr("Bitrate"));
    sldrBitrate_->setRange(kOpusMinBitrate, kOpusMaxBitrate);
    sldrBitrate_->setSingleStep(1);
    sldrBitrate_->setPageStep(16);
    lblBitrate_ = Named(new QLabel, QStringLiteral("lblBitrate"), tr("Bitrate"));
    auto* rateLayout = new QVBoxLayout(rateBox);
    rateLayout->addWidget(lblBitrate_);
    rateLayout->addWidget(sldrBitrate_);

    auto* signalBox = Named(new QGroupBox(tr(" Optimize For ")), QStringLiteral("frmSignal"));
    auto* signalLayout = new QVBoxLayout(signalBox);
    voice_ = Named(new QRadioButton(tr("Voice")), QStringLiteral("P1"));
    music_ = Named(new QRadioButton(tr("Music")), QStringLiteral("P2"));
    signalLayout->addWidget(voice_);
    signalLayout->addWidget(music_);

    auto* ok = Named(new QPushButton(tr("Ok")), QStringLiteral("cmdOk"));
    auto* cancel = Named(new QPushButton(tr("Cancel")), QStringLiteral("cmdCancel"));
    ok->setDefault(true);
    connect(sldrBitrate_, &QSlider::valueChanged, this, &FormOPUS::sldrBitrate_Change);
    connect(ok, &QPushButton::clicked, this, &FormOPUS::cmdOk_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* groups = new QHBoxLayout;
    groups->addWidget(rateBox);
    groups->addWidget(signalBox);
    auto* main = new QVBoxLayout(this);
    main->addLayout(groups);
    main->addLayout(ButtonRow(ok, cancel));

    Load();
}

void FormOPUS::Load() {
    sldrBitrate_->setValue(settings_.OPUSBitrate);
    sldrBitrate_Change(sldrBitrate_->value()); // the label even when the value did not move
    (IsOpusVoice(settings_.OPUSMode) ? voice_ : music_)->setChecked(true);
    TakeOwnerIcon(*this);
}

void FormOPUS::sldrBitrate_Change(int kbps) {
    lblBitrate_->setText(tr("Current bitrate: %1 Kbps").arg(kbps));
}

void FormOPUS::cmdOk_Click() {
    settings_.OPUSBitrate = sldrBitrate_->value();
    settings_.OPUSMode = OpusModeText(voice_->isChecked());
    audioFile_.SetOpusFormat(settings_.OPUSBitrate, voice_->isChecked());
    accept();
}

} // namespace quillotap
