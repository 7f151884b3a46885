#include "formats/FormFLAC.h"

#include "audio/AudioFile.h"
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

FormFLAC::FormFLAC(OutputFormatSettings& settings, AudioFile& audioFile, QWidget* owner)
    : QDialog(owner), settings_(settings), audioFile_(audioFile) {
    setObjectName(QStringLiteral("FormFLAC"));
    setWindowTitle(tr("FLAC Option"));
    setAccessibleName(tr("FLAC Option"));

    auto* levelBox = Named(new QGroupBox(tr(" Compression Level ")), QStringLiteral("frmLevel"));
    sldrLevel_ =
        Named(new QSlider(Qt::Horizontal), QStringLiteral("sldrLevel"), tr("Compression level"));
    sldrLevel_->setRange(0, 8);
    sldrLevel_->setPageStep(1);
    sldrLevel_->setTickPosition(QSlider::TicksBelow);
    lblLevel_ = Named(new QLabel, QStringLiteral("lblLevel"), tr("Compression level"));
    auto* levelLayout = new QVBoxLayout(levelBox);
    levelLayout->addWidget(lblLevel_);
    levelLayout->addWidget(sldrLevel_);

    auto* bitBox = Named(new QGroupBox(tr(" Bits Per Sample ")), QStringLiteral("frmBits"));
    auto* bitLayout = new QVBoxLayout(bitBox);
    bits16_ = Named(new QRadioButton(tr("16 Bit")), QStringLiteral("B1"));
    bits24_ = Named(new QRadioButton(tr("24 Bit")), QStringLiteral("B2"));
    bitLayout->addWidget(bits16_);
    bitLayout->addWidget(bits24_);

    auto* ok = Named(new QPushButton(tr("Ok")), QStringLiteral("cmdOk"));
    auto* cancel = Named(new QPushButton(tr("Cancel")), QStringLiteral("cmdCancel"));
    ok->setDefault(true);
    connect(sldrLevel_, &QSlider::valueChanged, this, &FormFLAC::sldrLevel_Change);
    connect(ok, &QPushButton::clicked, this, &FormFLAC::cmdOk_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* groups = new QHBoxLayout;
    groups->addWidget(levelBox);
    groups->addWidget(bitBox);
    auto* main = new QVBoxLayout(this);
    main->addLayout(groups);
    main->addLayout(ButtonRow(ok, cancel));

    Load();
}

void FormFLAC::Load() {
    sldrLevel_->setValue(settings_.FLACLevel);
    sldrLevel_Change(sldrLevel_->value()); // the label even when the value did not move
    (settings_.FLACBit == 24 ? bits24_ : bits16_)->setChecked(true);
    TakeOwnerIcon(*this);
}

void FormFLAC::sldrLevel_Change(int level) {
    lblLevel_->setText(tr("Level %1 (0 = fastest, 8 = smallest)").arg(level));
}

void FormFLAC::cmdOk_Click() {
    settings_.FLACLevel = sldrLevel_->value();
    settings_.FLACBit = bits24_->isChecked() ? 24 : 16;
    audioFile_.SetFLACFormat(settings_.FLACLevel, settings_.FLACBit);
    accept();
}

} // namespace quillotap
