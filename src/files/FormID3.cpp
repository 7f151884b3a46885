#include "files/FormID3.h"

#include "formats/DialogControls.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <QCoreApplication>
#include <optional>

namespace quillotap {

namespace {

// A number the tag can hold, or nothing for empty or non-numeric text.
std::optional<int> TagNumber(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < 0)
        return std::nullopt;
    return value;
}

// Year and track 0 mean "none" in the tag; the box is left empty for them.
QString NumberText(int value) {
    return value > 0 ? QString::number(value) : QString();
}

} // namespace

FormID3::FormID3(const QString& tagFile, QWidget* owner) : QDialog(owner), TagFile(tagFile) {
    setObjectName(QStringLiteral("FormID3"));
    setWindowTitle(QCoreApplication::translate("quillotap::FormID3", "ID3 Tag editor"));
    setModal(true);
    auto* form = new QFormLayout;
    const auto box = [&](const char* name, const char* label, int maxLength = 0) {
        auto* edit = Named(new QLineEdit, QString::fromLatin1(name),
                           QCoreApplication::translate("quillotap::FormID3", label).chopped(1));
        if (maxLength > 0)
            edit->setMaxLength(maxLength);
        form->addRow(QCoreApplication::translate("quillotap::FormID3", label), edit);
        return edit;
    };
    infoTitle_ = box("infoTitle", QT_TRANSLATE_NOOP("quillotap::FormID3", "Title:"));
    infoArtist_ = box("infoArtist", QT_TRANSLATE_NOOP("quillotap::FormID3", "Artists:"));
    infoAlbum_ = box("infoAlbum", QT_TRANSLATE_NOOP("quillotap::FormID3", "Album:"));
    infoGenre_ = Named(new QComboBox, QStringLiteral("infoGenre"),
                       QCoreApplication::translate("quillotap::FormID3", "Genre"));
    // The list index is the genre number.
    for (int code = 0; code < AudioInformation::GenreCount; ++code)
        infoGenre_->addItem(AudioInformation::GenreName(code));
    infoGenre_->setCurrentIndex(-1);
    form->addRow(QCoreApplication::translate("quillotap::FormID3", "Genre:"), infoGenre_);
    infoYear_ = box("infoYear", QT_TRANSLATE_NOOP("quillotap::FormID3", "Year:"), 4);
    infoTrack_ = box("infoTrack", QT_TRANSLATE_NOOP("quillotap::FormID3", "Track #:"), 3);
    infoComment_ = box("infoComment", QT_TRANSLATE_NOOP("quillotap::FormID3", "Comment:"));

    auto* save = Named(new QPushButton(QCoreApplication::translate("quillotap::FormID3", "Save")),
                       QStringLiteral("CmdSave"));
    auto* cancel =
        Named(new QPushButton(QCoreApplication::translate("quillotap::FormID3", "Cancel")),
              QStringLiteral("CmdCancel"));
    save->setDefault(true);
    connect(save, &QPushButton::clicked, this, &FormID3::CmdSave_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(ButtonRow(save, cancel));
    TakeOwnerIcon(*this);
}

FormID3::~FormID3() = default;

void FormID3::say(QMessageBox::Icon icon, const QString& title, const QString& text) {
    if (message_) {
        message_(icon, title, text);
        return;
    }
    QMessageBox box(icon, title, text, QMessageBox::Ok, this);
    box.exec();
}

bool FormID3::Load() {
    if (!QFileInfo(TagFile).isFile()) {
        say(QMessageBox::Critical, QCoreApplication::translate("quillotap::FormID3", "Error"),
            QCoreApplication::translate("quillotap::FormID3", "Can not find file - ") + TagFile);
        return false;
    }
    TagReader = std::make_unique<AudioInformation>();
    // A file without a readable tag shows empty fields; Save gives it one.
    TagReader->Open(TagFile);
    infoTitle_->setText(TagReader->Title);
    infoArtist_->setText(TagReader->Artist);
    infoAlbum_->setText(TagReader->Album);
    const int genre = TagReader->Genre;
    infoGenre_->setCurrentIndex(genre >= 0 && genre < AudioInformation::GenreCount ? genre : -1);
    infoComment_->setText(TagReader->Comment);
    infoYear_->setText(NumberText(TagReader->Year));
    infoTrack_->setText(NumberText(TagReader->Track));
    return true;
}

void FormID3::CmdSave_Click() {
    if (!TagReader)
        return;
    TagReader->Title = infoTitle_->text();
    TagReader->Artist = infoArtist_->text();
    TagReader->Album = infoAlbum_->text();
    TagReader->Genre = infoGenre_->currentIndex();
    TagReader->Comment = infoComment_->text();
    // Text that is no number keeps what the file had.
    if (const auto year = TagNumber(infoYear_->text()))
        TagReader->Year = *year;
    if (const auto track = TagNumber(infoTrack_->text()))
        TagReader->Track = *track;
    if (!TagReader->WriteTags(TagFile)) {
        QString text =
            QCoreApplication::translate("quillotap::FormID3", "Can not save the tag of - ") +
            TagFile;
        if (!TagReader->GetErrorText().isEmpty())
            text += QStringLiteral("\n") + TagReader->GetErrorText();
        say(QMessageBox::Critical, QCoreApplication::translate("quillotap::FormID3", "Error"),
            text);
        return;
    }
    accept();
}

} // namespace quillotap
