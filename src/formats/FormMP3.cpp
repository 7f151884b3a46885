#include "formats/FormMP3.h"

#include "audio/AudioFile.h"
#include "audio/AudioInformation.h"
#include "formats/DialogControls.h"
#include "formats/Mp3Settings.h"
#include "settings/NumericText.h"
#include "settings/SettingsSchema.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quillotap {

namespace {

QSlider* Slider(const QString& name, const QString& accessible, int maximum) {
    auto* slider = Named(new QSlider(Qt::Horizontal), name, accessible);
    slider->setRange(0, maximum);
    slider->setPageStep(1);
    return slider;
}

// Slider position of a bitrate, or -1 when the steps do not offer it.
int StepOf(int kbps) {
    for (std::size_t i = 0; i < BitrateSteps.size(); ++i) {
        if (BitrateSteps[i] == kbps)
            return static_cast<int>(i);
    }
    return -1;
}

int StepAt(const QSlider* slider) {
    return BitrateSteps[static_cast<std::size_t>(slider->value())];
}

QString Kbit(const char* lead, int kbps) {
    return QCoreApplication::translate("quillotap::FormMP3", lead) + QString::number(kbps) +
           QCoreApplication::translate("quillotap::FormMP3", " kbit");
}

// A slider between two captions, inside its frame.
void SliderRow(QGroupBox* frame, QSlider* slider, const QString& left, const QString& right,
               const QString& leftName, const QString& rightName) {
    auto* row = new QHBoxLayout(frame);
    row->addWidget(Named(new QLabel(left), leftName));
    row->addWidget(slider, 1);
    row->addWidget(Named(new QLabel(right), rightName));
}

} // namespace

FormMP3::FormMP3(MP3Lame& lame, AudioFile& audioFile, QString& mp3FormatStr, ID3Defaults& id3,
                 QWidget* owner)
    : QDialog(owner), lame_(lame), audioFile_(audioFile), mp3FormatStr_(mp3FormatStr), id3_(id3) {
    setObjectName(QStringLiteral("FormMP3"));
    setWindowTitle(QCoreApplication::translate("quillotap::FormMP3", "MP3 Option"));
    setAccessibleName(QCoreApplication::translate("quillotap::FormMP3", "MP3 Option"));

    tabs_ = Named(new QTabWidget, QStringLiteral("TabStrip1"),
                  QCoreApplication::translate("quillotap::FormMP3", "MP3 options"));
    tabs_->addTab(BuildGeneralPage(), QCoreApplication::translate("quillotap::FormMP3", "General"));
    tabs_->addTab(BuildVbrPage(), QStringLiteral("VBR"));
    tabs_->addTab(BuildPresetPage(), QCoreApplication::translate("quillotap::FormMP3", "Preset"));
    tabs_->addTab(BuildId3Page(), QCoreApplication::translate("quillotap::FormMP3", "ID3 Tag"));

    auto* ok = Named(new QPushButton(QCoreApplication::translate("quillotap::FormMP3", "OK")),
                     QStringLiteral("CmdOK"));
    auto* cancel =
        Named(new QPushButton(QCoreApplication::translate("quillotap::FormMP3", "Cancel")),
              QStringLiteral("CmdCancel"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &FormMP3::CmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* main = new QVBoxLayout(this);
    main->addWidget(tabs_);
    main->addLayout(ButtonRow(ok, cancel));

    tabs_->setCurrentIndex(0);
    ShowEncoderSettings(lame_);
    LoadId3Page();
    TakeOwnerIcon(*this);
}

QWidget* FormMP3::BuildGeneralPage() {
    auto* page = Named(new QWidget, QStringLiteral("Picture1_0"),
                       QCoreApplication::translate("quillotap::FormMP3", "General"));
    frmBitrate_ = Named(new QGroupBox(QCoreApplication::translate("quillotap::FormMP3", "Bitrate")),
                        QStringLiteral("frmBitrate"));
    sldrBitrate_ = Slider(QStringLiteral("sldrBitrate"),
                          QCoreApplication::translate("quillotap::FormMP3", "Bitrate"), 14);
    SliderRow(frmBitrate_, sldrBitrate_,
              QCoreApplication::translate("quillotap::FormMP3", "poor quality "),
              QCoreApplication::translate("quillotap::FormMP3", "good quality "),
              QStringLiteral("lblPoor"), QStringLiteral("lblGood"));
    frmQuality_ =
        Named(new QGroupBox(QCoreApplication::translate("quillotap::FormMP3", "Encoder Quality")),
              QStringLiteral("frmQuality"));
    sldrQuality_ = Slider(QStringLiteral("sldrQuality"),
                          QCoreApplication::translate("quillotap::FormMP3", "Encoder Quality"), 9);
    SliderRow(frmQuality_, sldrQuality_, QStringLiteral("better"), QStringLiteral("faster"),
              QStringLiteral("lblBetter"), QStringLiteral("lblFaster"));

    auto* frmFrequency = Named(
        new QGroupBox(QCoreApplication::translate("quillotap::FormMP3", "Sampling Frequency")),
        QStringLiteral("frmFrequency"));
    cmbFrequency_ = Named(new QComboBox, QStringLiteral("cmbFrequency"),
                          QCoreApplication::translate("quillotap::FormMP3", "Sampling Frequency"));
    static const std::pair<const char*, int> kRates[] = {
        {"  8 000 Hz", 8000}, {"11 025 Hz", 11025}, {"12 000 Hz ", 12000},
        {"16 000 Hz", 16000}, {"22 050 Hz", 22050}, {"24 000 Hz", 24000},
        {"32 000 Hz", 32000}, {"44 100 Hz", 44100}, {"48 000 Hz", 48000}};
    for (const auto& [text, rate] : kRates)
        cmbFrequency_->addItem(QString::fromLatin1(text), rate);
    cmbFrequency_->setCurrentIndex(-1);
    (new QVBoxLayout(frmFrequency))->addWidget(cmbFrequency_);

    auto* frmChMode =
        Named(new QGroupBox(QCoreApplication::translate("quillotap::FormMP3", "Channels Mode")),
              QStringLiteral("frmChMode"));
    cmbChMode_ = Named(new QComboBox, QStringLiteral("cmbChMode"),
                       QCoreApplication::translate("quillotap::FormMP3", "Channels Mode"));
    cmbChMode_->addItems({QCoreApplication::translate("quillotap::FormMP3", "Mono"),
                          QCoreApplication::translate("quillotap::FormMP3", "Stereo"),
                          QCoreApplication::translate("quillotap::FormMP3", "Joint Stereo"),
                          QCoreApplication::translate("quillotap::FormMP3", "Forced Joint Stereo"),
                          QCoreApplication::translate("quillotap::FormMP3", "Dual Channels")});
    (new QVBoxLayout(frmChMode))->addWidget(cmbChMode_);

    auto* grid = new QGridLayout(page);
    grid->addWidget(frmBitrate_, 0, 0);
    grid->addWidget(frmQuality_, 1, 0);
    grid->addWidget(frmFrequency, 0, 1);
    grid->addWidget(frmChMode, 1, 1);

    connect(sldrBitrate_, &QSlider::valueChanged, this, [this] {
        frmBitrate_->setTitle(Kbit(QT_TRANSLATE_NOOP("quillotap::FormMP3", "Current bitrate: "),
                                   StepAt(sldrBitrate_)));
    });
    connect(sldrQuality_, &QSlider::valueChanged, this, [this](int position) {
        frmQuality_->setTitle(
            QCoreApplication::translate("quillotap::FormMP3", "Encoder Quality: ") +
            QString::number(position));
    });
    return page;
}

QWidget* FormMP3::BuildVbrPage() {
    auto* page = Named(new QWidget, QStringLiteral("Picture1_1"), QStringLiteral("VBR"));
    cmbVBRCodingMethod_ = Named(new QComboBox, QStringLiteral("cmbVBRCodingMethod"),
                                QCoreApplication::translate("quillotap::FormMP3", "VBR Option"));
    cmbVBRCodingMethod_->addItems({QCoreApplication::translate("quillotap::FormMP3", "No VBR"),
                                   QCoreApplication::translate("quillotap::FormMP3", "Default"),
                                   QCoreApplication::translate("quillotap::FormMP3", "Old"),
                                   QCoreApplication::translate("quillotap::FormMP3", "New"),
                                   QStringLiteral("MTRH"), QStringLiteral("ABR")});
    auto* lblMethod =
        Named(new QLabel(QCoreApplication::translate("quillotap::FormMP3", "VBR Option:")),
              QStringLiteral("lblVbrOption"));
    lblVbrQuality_ =
        Named(new QLabel(QCoreApplication::translate("quillotap::FormMP3", "VBR Quality:")),
              QStringLiteral("lblVbrQuality"));
    txtVbrQuality_ = Named(new QComboBox, QStringLiteral("txtVbrQuality"),
                           QCoreApplication::translate("quillotap::FormMP3", "VBR Quality"));
    txtVbrQuality_->setEditable(true);
    for (int q = 0; q <= 9; ++q)
        txtVbrQuality_->addItem(QString::number(q));
    lblAbrBitrate_ = Named(
        new QLabel(QCoreApplication::translate("quillotap::FormMP3", "Targed bitrate for ABR:")),
        QStringLiteral("lblAbrBitrate"),
        QCoreApplication::translate("quillotap::FormMP3", "Target bitrate for ABR"));
    txtAbrBitrate_ =
        Named(new QComboBox, QStringLiteral("txtAbrBitrate"),
              QCoreApplication::translate("quillotap::FormMP3", "Target bitrate for ABR"));
    txtAbrBitrate_->setEditable(true);
    for (int kbps = 10; kbps <= 310; ++kbps)
        txtAbrBitrate_->addItem(QString::number(kbps));
    lblMethod->setBuddy(cmbVBRCodingMethod_);
    lblVbrQuality_->setBuddy(txtVbrQuality_);
    lblAbrBitrate_->setBuddy(txtAbrBitrate_);

    frmVbrBitrate_ = Named(
        new QGroupBox(QCoreApplication::translate("quillotap::FormMP3", "Maximum VBR Bitrate")),
        QStringLiteral("frmVbrBitrate"));
    sldrVbrBitrate_ =
        Slider(QStringLiteral("sldrVbrBitrate"),
               QCoreApplication::translate("quillotap::FormMP3", "Maximum VBR Bitrate"), 14);
    lblVbrBitrate_ =
        Named(new QLabel, QStringLiteral("lblVbrBitrate"),
              QCoreApplication::translate("quillotap::FormMP3", "Maximum VBR Bitrate"));
    auto* vbrRow = new QVBoxLayout(frmVbrBitrate_);
    vbrRow->addWidget(sldrVbrBitrate_);
    vbrRow->addWidget(lblVbrBitrate_);
    frmVbrAdvanced_ =
        Named(new QGroupBox(QCoreApplication::translate("quillotap::FormMP3", "Advanced")),
              QStringLiteral("frmVbrAdvanced"));
    chWriteVBRHeader_ =
        Named(new QCheckBox(QCoreApplication::translate("quillotap::FormMP3", "Write VBR Header")),
              QStringLiteral("chWriteVBRHeader"));
    chStrictlyEnforceMinBitrate_ =
        Named(new QCheckBox(QCoreApplication::translate("quillotap::FormMP3",
                                                        "Strictly enforce minimum bitrate")),
              QStringLiteral("chStrictlyEnforceMinBitrate"));
    auto* advanced = new QVBoxLayout(frmVbrAdvanced_);
    advanced->addWidget(chWriteVBRHeader_);
    advanced->addWidget(chStrictlyEnforceMinBitrate_);

    auto* form = new QFormLayout;
    form->addRow(lblMethod, cmbVBRCodingMethod_);
    form->addRow(lblVbrQuality_, txtVbrQuality_);
    form->addRow(lblAbrBitrate_, txtAbrBitrate_);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(frmVbrBitrate_);
    layout->addWidget(frmVbrAdvanced_);

    connect(cmbVBRCodingMethod_, &QComboBox::currentIndexChanged, this,
            &FormMP3::cmbVBRCodingMethod_Click);
    connect(sldrVbrBitrate_, &QSlider::valueChanged, this, [this] {
        lblVbrBitrate_->setText(Kbit(QT_TRANSLATE_NOOP("quillotap::FormMP3", "VBR Bitrate: "),
                                     StepAt(sldrVbrBitrate_)));
    });
    return page;
}

QWidget* FormMP3::BuildPresetPage() {
    auto* page = Named(new QWidget, QStringLiteral("Picture1_2"),
                       QCoreApplication::translate("quillotap::FormMP3", "Preset"));
    auto* grid = new QGridLayout(page);
    for (int index = 1; index <= 11; ++index) {
        auto* option =
            Named(new QRadioButton(QCoreApplication::translate(
                      "quillotap::MP3Lame", MP3Lame::PresetName(index).toLatin1().constData())),
                  QStringLiteral("opPreset_%1").arg(index));
        grid->addWidget(option, (index - 1) % 6, (index - 1) / 6);
        connect(option, &QRadioButton::clicked, this, [this, index] { opPreset_Click(index); });
    }
    return page;
}

QWidget* FormMP3::BuildId3Page() {
    auto* page = Named(new QWidget, QStringLiteral("Picture1_3"),
                       QCoreApplication::translate("quillotap::FormMP3", "ID3 Tag"));
    auto* form = new QFormLayout(page);
    auto box = [&](const char* name, const char* caption, int maxLength = 0) {
        const QString text = QCoreApplication::translate("quillotap::FormMP3", caption);
        auto* edit = Named(new QLineEdit, QString::fromLatin1(name), text.chopped(1));
        if (maxLength > 0)
            edit->setMaxLength(maxLength);
        form->addRow(text, edit);
        return edit;
    };
    infoTitle_ = box("infoTitle", QT_TRANSLATE_NOOP("quillotap::FormMP3", "Title:"));
    infoArtist_ = box("infoArtist", QT_TRANSLATE_NOOP("quillotap::FormMP3", "Artists:"));
    infoAlbum_ = box("infoAlbum", QT_TRANSLATE_NOOP("quillotap::FormMP3", "Album:"));
    infoYear_ = box("infoYear", QT_TRANSLATE_NOOP("quillotap::FormMP3", "Year:"), 4);
    infoTrack_ = box("infoTrack", QT_TRANSLATE_NOOP("quillotap::FormMP3", "Track #:"), 3);
    infoComment_ = box("infoComment", QT_TRANSLATE_NOOP("quillotap::FormMP3", "Comment:"));
    infoGenre_ = Named(new QComboBox, QStringLiteral("infoGenre"),
                       QCoreApplication::translate("quillotap::FormMP3", "Genre"));
    for (int code = 0; code < AudioInformation::GenreCount; ++code)
        infoGenre_->addItem(AudioInformation::GenreName(code));
    infoGenre_->setCurrentIndex(-1);
    form->addRow(QCoreApplication::translate("quillotap::FormMP3", "Genre:"), infoGenre_);
    infoYear_->installEventFilter(this);
    infoTrack_->installEventFilter(this);
    return page;
}

bool FormMP3::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the year or track box keeps only the number it starts with.
    if (event->type() == QEvent::FocusOut && (watched == infoYear_ || watched == infoTrack_)) {
        auto* edit = static_cast<QLineEdit*>(watched);
        edit->setText(QString::number(LeadingNumber(edit->text()), 'g', 15));
    }
    return QDialog::eventFilter(watched, event);
}

void FormMP3::LoadId3Page() {
    // The tag defaults come from the stored settings as they are now.
    const ID3Defaults stored = LoadId3Defaults();
    infoTitle_->setText(stored.Title);
    infoArtist_->setText(stored.Artist);
    infoAlbum_->setText(stored.Album);
    const double code = LeadingNumber(stored.Genre);
    infoGenre_->setCurrentIndex(
        code >= 0 && code < AudioInformation::GenreCount ? static_cast<int>(code) : -1);
    infoYear_->setText(stored.Year);
    infoTrack_->setText(stored.Track);
    infoComment_->setText(stored.Comment);
}

void FormMP3::ShowEncoderSettings(const MP3Lame& encoder) {
    if (const int rate = cmbFrequency_->findData(encoder.SampleRate); rate >= 0)
        cmbFrequency_->setCurrentIndex(rate);
    sldrQuality_->setValue(encoder.Quality);
    frmQuality_->setTitle(QCoreApplication::translate("quillotap::FormMP3", "Encoder Quality: ") +
                          QString::number(sldrQuality_->value()));
    // A bitrate the steps do not offer leaves its slider where it was, while
    // the caption still shows it.
    sldrBitrate_->blockSignals(true);
    if (const int step = StepOf(encoder.Bitrate); step >= 0)
        sldrBitrate_->setValue(step);
    sldrBitrate_->blockSignals(false);
    frmBitrate_->setTitle(
        Kbit(QT_TRANSLATE_NOOP("quillotap::FormMP3", "Current bitrate: "), encoder.Bitrate));
    sldrVbrBitrate_->blockSignals(true);
    if (const int step = StepOf(encoder.VbrBitrate); step >= 0)
        sldrVbrBitrate_->setValue(step);
    sldrVbrBitrate_->blockSignals(false);
    lblVbrBitrate_->setText(
        Kbit(QT_TRANSLATE_NOOP("quillotap::FormMP3", "VBR Bitrate: "), encoder.VbrBitrate));

    txtVbrQuality_->setEditText(QString::number(encoder.VbrQuality));
    cmbVBRCodingMethod_->setCurrentIndex(encoder.VbrCodingMethod + 1);
    cmbVBRCodingMethod_Click();
    txtAbrBitrate_->setEditText(QString::number(encoder.AbrBitrate));
    cmbChMode_->setCurrentIndex(encoder.Channels == 1 ? 0 : encoder.TypeStereo);
    chWriteVBRHeader_->setChecked(encoder.WritingVBRHeader);
    chStrictlyEnforceMinBitrate_->setChecked(encoder.StrictlyEnforceMinBitrate);
}

void FormMP3::cmbVBRCodingMethod_Click() {
    const int position = cmbVBRCodingMethod_->currentIndex();
    const bool vbr = position >= 1;
    const bool abr = position == 5;
    lblVbrQuality_->setEnabled(vbr && !abr);
    txtVbrQuality_->setEnabled(vbr && !abr);
    lblAbrBitrate_->setEnabled(abr);
    txtAbrBitrate_->setEnabled(abr);
    for (QWidget* w : std::initializer_list<QWidget*>{
             frmVbrBitrate_, sldrVbrBitrate_, lblVbrBitrate_, frmVbrAdvanced_, chWriteVBRHeader_,
             chStrictlyEnforceMinBitrate_})
        w->setEnabled(vbr);
}

void FormMP3::opPreset_Click(int index) {
    presetEncoder_.Preset(index);
    ShowEncoderSettings(presetEncoder_);
    tabs_->setCurrentIndex(0);
}

void FormMP3::CmdOK_Click() {
    ApplyEncoderSettings();
    SaveId3Defaults();
    accept();
}

void FormMP3::ApplyEncoderSettings() {
    if (cmbFrequency_->currentIndex() >= 0)
        lame_.SampleRate = cmbFrequency_->currentData().toInt();
    lame_.VbrCodingMethod = cmbVBRCodingMethod_->currentIndex() - 1;
    lame_.Bitrate = StepAt(sldrBitrate_);
    lame_.Quality = sldrQuality_->value();
    lame_.VbrBitrate = StepAt(sldrVbrBitrate_);
    if (cmbChMode_->currentIndex() == 0) {
        lame_.Channels = 1; // the stereo type is kept for a later return to stereo
    } else {
        lame_.Channels = 2;
        lame_.TypeStereo = cmbChMode_->currentIndex();
    }
    lame_.WritingVBRHeader = chWriteVBRHeader_->isChecked();
    lame_.StrictlyEnforceMinBitrate = chStrictlyEnforceMinBitrate_->isChecked();
    // Any whole number that fits 16 bits is taken, also one the lists lack.
    bool ok = false;
    if (const short abr = txtAbrBitrate_->currentText().trimmed().toShort(&ok); ok)
        lame_.AbrBitrate = abr;
    if (const short quality = txtVbrQuality_->currentText().trimmed().toShort(&ok); ok)
        lame_.VbrQuality = quality;
    audioFile_.SetMP3Encoder(lame_);
    mp3FormatStr_ = RefreshMp3FormatStr(audioFile_);
}

void FormMP3::SaveId3Defaults() {
    WriteOption(option::ID3_Title, infoTitle_->text());
    WriteOption(option::ID3_Artist, infoArtist_->text());
    WriteOption(option::ID3_Album, infoAlbum_->text());
    WriteOption(option::ID3_Genre, QString::number(infoGenre_->currentIndex()));
    WriteOption(option::ID3_Year, infoYear_->text());
    WriteOption(option::ID3_Track, infoTrack_->text());
    WriteOption(option::ID3_Comment, infoComment_->text());
    id3_ = LoadId3Defaults();
}

} // namespace quillotap
