#include "formats/FormOGG.h"

#include "audio/AudioFile.h"
#include "formats/DialogControls.h"
#include "formats/Mp3Settings.h"
#include "formats/OutputFormatSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace quillotap {

namespace {

QSlider* StepSlider(const QString& name, const QString& accessible, int maximum) {
    auto* slider = Named(new QSlider(Qt::Horizontal), name, accessible);
    slider->setRange(0, maximum);
    return slider;
}

QString KbpsCaption(const char* lead, int kbps) {
    return QCoreApplication::translate("quillotap::FormOGG", lead) + QString::number(kbps) +
           QCoreApplication::translate("quillotap::FormOGG", " Kbps");
}

// Hundredths written with one or two decimals: 300 -> "3.0", 555 -> "5.55".
QString QualityText(int hundredths) {
    QString text = QString::number(hundredths / 100.0, 'f', 2);
    if (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    return text;
}

} // namespace

FormOGG::FormOGG(OutputFormatSettings& settings, AudioFile& audioFile, QWidget* owner)
    : QDialog(owner), settings_(settings), audioFile_(audioFile) {
    setObjectName(QStringLiteral("FormOGG"));
    setWindowTitle(QCoreApplication::translate("quillotap::FormOGG", "OGG Option"));
    setAccessibleName(QCoreApplication::translate("quillotap::FormOGG", "OGG Option"));
    BuildControls();
    Load();
}

void FormOGG::BuildControls() {
    auto* frmOption =
        Named(new QGroupBox(QCoreApplication::translate("quillotap::FormOGG", "Option")),
              QStringLiteral("frmOption"));
    sldrBitrate_ = StepSlider(QStringLiteral("sldrBitrate"),
                              QCoreApplication::translate("quillotap::FormOGG", "Bitrate"), 14);
    lblBitrate_ = Named(new QLabel, QStringLiteral("lblBitrate"),
                        QCoreApplication::translate("quillotap::FormOGG", "Bitrate"));
    chVbr_ = Named(new QCheckBox(QCoreApplication::translate("quillotap::FormOGG", "VBR Enabled")),
                   QStringLiteral("chVbr"));
    chQuality_ =
        Named(new QCheckBox(QCoreApplication::translate("quillotap::FormOGG", "Quality Enabled")),
              QStringLiteral("chQuality"));
    auto* optionLayout = new QVBoxLayout(frmOption);
    optionLayout->addWidget(lblBitrate_);
    optionLayout->addWidget(sldrBitrate_);
    optionLayout->addWidget(chVbr_);
    optionLayout->addWidget(chQuality_);

    frmVbr_ = Named(new QGroupBox(QStringLiteral("VBR")), QStringLiteral("frmVbr"));
    sldrMinBitrate_ =
        StepSlider(QStringLiteral("sldrMinBitrate"),
                   QCoreApplication::translate("quillotap::FormOGG", "Minimum bitrate"), 14);
    sldrMaxBitrate_ =
        StepSlider(QStringLiteral("sldrMaxBitrate"),
                   QCoreApplication::translate("quillotap::FormOGG", "Maximum bitrate"), 14);
    lblMinBitrate_ = Named(new QLabel, QStringLiteral("lblMinBitrate"),
                           QCoreApplication::translate("quillotap::FormOGG", "Minimum bitrate"));
    lblMaxBitrate_ = Named(new QLabel, QStringLiteral("lblMaxBitrate"),
                           QCoreApplication::translate("quillotap::FormOGG", "Maximum bitrate"));
    auto* vbrLayout = new QVBoxLayout(frmVbr_);
    vbrLayout->addWidget(lblMinBitrate_);
    vbrLayout->addWidget(sldrMinBitrate_);
    vbrLayout->addWidget(lblMaxBitrate_);
    vbrLayout->addWidget(sldrMaxBitrate_);

    frmQuality_ = Named(
        new QGroupBox(QCoreApplication::translate("quillotap::FormOGG", "Quality (Compression)")),
        QStringLiteral("frmQuality"));
    sldrQuality_ = StepSlider(QStringLiteral("sldrQuality"),
                              QCoreApplication::translate("quillotap::FormOGG", "Quality"), 1000);
    sldrQuality_->setPageStep(100);
    (new QVBoxLayout(frmQuality_))->addWidget(sldrQuality_);

    auto* frmFrequency = Named(
        new QGroupBox(QCoreApplication::translate("quillotap::FormOGG", "Sampling Frequency")),
        QStringLiteral("frmFrequency"));
    cmbFrequency_ = Named(new QComboBox, QStringLiteral("cmbFrequency"),
                          QCoreApplication::translate("quillotap::FormOGG", "Sampling Frequency"));
    for (const QString& text : OggFrequencyTexts())
        cmbFrequency_->addItem(text, OggFrequencyValue(text));
    cmbFrequency_->setCurrentIndex(-1);
    (new QVBoxLayout(frmFrequency))->addWidget(cmbFrequency_);
    auto* frmChMode =
        Named(new QGroupBox(QCoreApplication::translate("quillotap::FormOGG", "Channels Mode")),
              QStringLiteral("frmChMode"));
    cmbChMode_ = Named(new QComboBox, QStringLiteral("cmbChMode"),
                       QCoreApplication::translate("quillotap::FormOGG", "Channels Mode"));
    // The stored channel mode is the English text, kept as item data.
    cmbChMode_->addItem(QCoreApplication::translate("quillotap::FormOGG", "Mono"),
                        QStringLiteral("Mono"));
    cmbChMode_->addItem(QCoreApplication::translate("quillotap::FormOGG", "Stereo"),
                        QStringLiteral("Stereo"));
    (new QVBoxLayout(frmChMode))->addWidget(cmbChMode_);

    auto* ok = Named(new QPushButton(QCoreApplication::translate("quillotap::FormOGG", "Ok")),
                     QStringLiteral("cmdOk"));
    auto* cancel =
        Named(new QPushButton(QCoreApplication::translate("quillotap::FormOGG", "Cancel")),
              QStringLiteral("cmdCancel"));
    ok->setDefault(true);

    auto* left = new QVBoxLayout;
    left->addWidget(frmOption);
    left->addWidget(frmQuality_);
    auto* right = new QVBoxLayout;
    right->addWidget(frmVbr_);
    right->addWidget(frmFrequency);
    right->addWidget(frmChMode);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* main = new QVBoxLayout(this);
    main->addLayout(columns);
    main->addLayout(ButtonRow(ok, cancel));

    connect(cmbFrequency_, &QComboBox::currentIndexChanged, this, &FormOGG::cmbFrequency_Click);
    connect(chVbr_, &QCheckBox::clicked, this, &FormOGG::chVbr_Click);
    connect(chQuality_, &QCheckBox::clicked, this, &FormOGG::chQuality_Click);
    connect(sldrBitrate_, &QSlider::valueChanged, this, [this](int position) {
        Bitrate = BitrateSteps[static_cast<std::size_t>(position)];
        lblBitrate_->setText(
            KbpsCaption(QT_TRANSLATE_NOOP("quillotap::FormOGG", "Current bitrate: "), Bitrate));
    });
    connect(sldrMinBitrate_, &QSlider::valueChanged, this, [this](int position) {
        MinBitrate = BitrateSteps[static_cast<std::size_t>(position)];
        lblMinBitrate_->setText(KbpsCaption(
            QT_TRANSLATE_NOOP("quillotap::FormOGG", "Current min bitrate: "), MinBitrate));
    });
    connect(sldrMaxBitrate_, &QSlider::valueChanged, this, [this](int position) {
        MaxBitrate = BitrateSteps[static_cast<std::size_t>(position)];
        lblMaxBitrate_->setText(KbpsCaption(
            QT_TRANSLATE_NOOP("quillotap::FormOGG", "Current max bitrate: "), MaxBitrate));
    });
    connect(sldrQuality_, &QSlider::valueChanged, this, &FormOGG::sldrQuality_Change);
    connect(ok, &QPushButton::clicked, this, &FormOGG::cmdOk_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

int FormOGG::BitratePosition(int kbps) {
    for (std::size_t i = 1; i < BitrateSteps.size(); ++i) {
        if (BitrateSteps[i] == kbps)
            return static_cast<int>(i);
    }
    return 0;
}

void FormOGG::Load() {
    cmbFrequency_->setCurrentIndex(cmbFrequency_->findText(settings_.OGGFreq));
    cmbChMode_->setCurrentIndex(settings_.OGGChMode == cmbChMode_->itemData(0).toString() ? 0 : 1);
    // A stored frequency in the stereo-only range overrides the channel mode.
    cmbFrequency_Click();

    Bitrate = settings_.OGGsldrBitrate;
    MinBitrate = settings_.OGGsldrMinBitrate;
    MaxBitrate = settings_.OGGsldrMaxBitrate;
    VbrEnabled = settings_.OGGchVbr;
    Quality = settings_.OGGsldrQuality;
    QualityEnabled = settings_.OGGchQuality;

    // The labels show the working values even when a slider cannot (a stored
    // bitrate that is not one of the steps), so the sliders move silently.
    for (QSlider* slider : {sldrBitrate_, sldrMinBitrate_, sldrMaxBitrate_})
        slider->blockSignals(true);
    sldrBitrate_->setValue(BitratePosition(Bitrate));
    sldrMinBitrate_->setValue(BitratePosition(MinBitrate));
    sldrMaxBitrate_->setValue(BitratePosition(MaxBitrate));
    for (QSlider* slider : {sldrBitrate_, sldrMinBitrate_, sldrMaxBitrate_})
        slider->blockSignals(false);
    lblBitrate_->setText(
        KbpsCaption(QT_TRANSLATE_NOOP("quillotap::FormOGG", "Current bitrate: "), Bitrate));
    lblMinBitrate_->setText(
        KbpsCaption(QT_TRANSLATE_NOOP("quillotap::FormOGG", "Current min bitrate: "), MinBitrate));
    lblMaxBitrate_->setText(
        KbpsCaption(QT_TRANSLATE_NOOP("quillotap::FormOGG", "Current max bitrate: "), MaxBitrate));

    chVbr_->setChecked(VbrEnabled);
    chVbr_Click();
    chQuality_->setChecked(QualityEnabled);
    chQuality_Click();
    sldrQuality_->setValue(Quality);
    sldrQuality_Change();
    TakeOwnerIcon(*this);
}

void FormOGG::cmbFrequency_Click() {
    // 16,000 to 24,000 Hz are encoded in stereo only.
    if (const int position = cmbFrequency_->currentIndex(); position >= 0 && position <= 2) {
        cmbChMode_->setEnabled(false);
        cmbChMode_->setCurrentIndex(1);
    } else {
        cmbChMode_->setEnabled(true);
    }
}

void FormOGG::chQuality_Click() {
    const bool ticked = chQuality_->isChecked();
    if (ticked) {
        for (QWidget* w : std::initializer_list<QWidget*>{
                 chVbr_, frmVbr_, sldrBitrate_, sldrMinBitrate_, sldrMaxBitrate_, lblBitrate_,
                 lblMinBitrate_, lblMaxBitrate_})
            w->setEnabled(false);
        frmQuality_->setEnabled(true);
        sldrQuality_->setEnabled(true);
    } else {
        frmQuality_->setEnabled(false);
        for (QWidget* w : std::initializer_list<QWidget*>{chVbr_, lblBitrate_, sldrBitrate_})
            w->setEnabled(true);
        chVbr_Click();
    }
    QualityEnabled = ticked;
}

void FormOGG::chVbr_Click() {
    const bool ticked = chVbr_->isChecked();
    if (ticked)
        frmVbr_->setEnabled(true);
    // Unticking leaves the frame itself as it was.
    for (QWidget* w : std::initializer_list<QWidget*>{sldrMinBitrate_, sldrMaxBitrate_,
                                                      lblMinBitrate_, lblMaxBitrate_})
        w->setEnabled(ticked);
    VbrEnabled = ticked;
}

void FormOGG::sldrQuality_Change() {
    Quality = sldrQuality_->value();
    frmQuality_->setTitle(
        QCoreApplication::translate("quillotap::FormOGG", "Quality (Compression): ") +
        QualityText(Quality));
}

void FormOGG::cmdOk_Click() {
    if (ApplyOggSettings())
        accept();
}

bool FormOGG::ApplyOggSettings() {
    const int rate = cmbFrequency_->currentData().toInt();
    const int channels = cmbChMode_->currentIndex() + 1;
    if (QualityEnabled) {
        audioFile_.SetOGGFormat(rate, channels, 128, 0, 0, Quality);
    } else {
        // Constant bitrate is checked at 44,100 Hz whatever rate is chosen.
        const bool accepted =
            VbrEnabled ? audioFile_.CheckOGGFormat(rate, channels, Bitrate, MinBitrate, MaxBitrate)
                       : audioFile_.CheckOGGFormat(44100, channels, Bitrate, 0, 0);
        if (!accepted) {
            // Window-modal, so the dialog stays open behind it for another try.
            auto* box = new QMessageBox(
                QMessageBox::Critical, QStringLiteral("Quillotap"),
                QCoreApplication::translate("quillotap::FormOGG", "Incorrect format"),
                QMessageBox::Ok, this);
            box->setObjectName(QStringLiteral("msgIncorrectFormat"));
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->open();
            return false;
        }
        if (VbrEnabled)
            audioFile_.SetOGGFormat(rate, channels, Bitrate, MinBitrate, MaxBitrate, -1);
        else
            audioFile_.SetOGGFormat(rate, channels, Bitrate, 0, 0, -1);
    }
    settings_.OGGFreq = cmbFrequency_->currentText();
    settings_.OGGChMode = cmbChMode_->currentData().toString();
    settings_.OGGsldrBitrate = Bitrate;
    settings_.OGGsldrMinBitrate = MinBitrate;
    settings_.OGGsldrMaxBitrate = MaxBitrate;
    settings_.OGGsldrQuality = Quality;
    settings_.OGGchVbr = chVbr_->isChecked();
    settings_.OGGchQuality = chQuality_->isChecked();
    return true;
}

} // namespace quillotap
