#include "files/FormConvert.h"

#include "audio/MP3Lame.h"
#include "formats/DialogControls.h"
#include "formats/FormatCatalogue.h"
#include "formats/OutputFormatSettings.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillotap {

FormConvert::FormConvert(const QString& outputFolder, const QString& sourceName,
                         const MP3Lame& lame, const OutputFormatSettings& settings,
                         const QString& mp3FormatStr, QWidget* owner)
    : QDialog(owner), folder_(outputFolder), SourceName(sourceName), lame_(lame),
      settings_(settings), mp3FormatStr_(mp3FormatStr), converter_(lame, settings) {
    setObjectName(QStringLiteral("FormConvert"));
    setWindowTitle(QCoreApplication::translate("quillotap::FormConvert", "Converter"));
    setModal(true);

    LabelFrom = Named(new QLabel(QStringLiteral("---")), QStringLiteral("LabelFrom"),
                      QCoreApplication::translate("quillotap::FormConvert", "From"));
    LabelTo = Named(new QLabel(QStringLiteral("----")), QStringLiteral("LabelTo"),
                    QCoreApplication::translate("quillotap::FormConvert", "To"));
    ComboFormat = Named(new QComboBox, QStringLiteral("ComboFormat"),
                        QCoreApplication::translate("quillotap::FormConvert", "Format"));
    for (const OutputFormatEntry& entry : OutputFormats)
        ComboFormat->addItem(QString::fromLatin1(entry.text), entry.code);
    ComboFormat->setCurrentIndex(-1);
    LabelFomartStr =
        Named(new QLabel(QStringLiteral("---")), QStringLiteral("LabelFomartStr"),
              QCoreApplication::translate("quillotap::FormConvert", "Format description"));
    ProgressConvert = Named(new QProgressBar, QStringLiteral("ProgressConvert"),
                            QCoreApplication::translate("quillotap::FormConvert", "Progress"));
    ProgressConvert->setRange(0, 100);
    ProgressConvert->setValue(0);
    CmdConvert =
        Named(new QPushButton(QCoreApplication::translate("quillotap::FormConvert", "Convert")),
              QStringLiteral("CmdConvert"));
    CmdStop = Named(new QPushButton(QCoreApplication::translate("quillotap::FormConvert", "Stop")),
                    QStringLiteral("CmdStop"));
    CmdClose =
        Named(new QPushButton(QCoreApplication::translate("quillotap::FormConvert", "Close")),
              QStringLiteral("CmdClose"));
    CmdStop->setEnabled(false);
    for (QPushButton* button : {CmdConvert, CmdStop, CmdClose})
        button->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QCoreApplication::translate("quillotap::FormConvert", "From:")), 0,
                    0);
    grid->addWidget(LabelFrom, 0, 1);
    grid->addWidget(new QLabel(QCoreApplication::translate("quillotap::FormConvert", "To:")), 1, 0);
    grid->addWidget(LabelTo, 1, 1);
    grid->addWidget(new QLabel(QCoreApplication::translate("quillotap::FormConvert", "Format:")), 2,
                    0);
    grid->addWidget(ComboFormat, 2, 1);
    grid->addWidget(LabelFomartStr, 3, 0, 1, 2);
    grid->addWidget(ProgressConvert, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CmdConvert);
    buttons->addWidget(CmdStop);
    buttons->addWidget(CmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(ComboFormat, &QComboBox::currentIndexChanged, this, &FormConvert::ComboFormat_Click);
    connect(CmdConvert, &QPushButton::clicked, this, &FormConvert::CmdConvert_Click);
    connect(CmdStop, &QPushButton::clicked, this, &FormConvert::CmdStop_Click);
    connect(CmdClose, &QPushButton::clicked, this, &QDialog::close);
    converter_.setProgressHandler(
        [this](double percent) { ProgressConvert->setValue(static_cast<int>(percent)); });

    LabelFrom->setText(SourceName);
    ComboFormat->setCurrentIndex(FormatWMA);
    TakeOwnerIcon(*this);
}

QString FormConvert::TargetName(const QString& sourceName, int code) {
    // Every listed recording ends in a dot and its extension, which may be
    // longer than three letters (".flac", ".opus").
    const qsizetype dot = sourceName.lastIndexOf(QLatin1Char('.'));
    const QString base = dot >= 0 ? sourceName.left(dot)
                                  : sourceName.left(std::max<qsizetype>(sourceName.size() - 4, 0));
    return QStringLiteral("New_") + base + QStringLiteral(".") + FormatExtension(code);
}

void FormConvert::ComboFormat_Click() {
    const int code = ComboFormat->currentIndex();
    if (code < 0)
        return;
    if (const auto text =
            DescribeOutputFormat(code, mp3FormatStr_, lame_, settings_, converter_.writer()))
        LabelFomartStr->setText(*text);
    LabelTo->setText(TargetName(SourceName, code));
}

void FormConvert::setIdle(bool idle) {
    CmdConvert->setEnabled(idle);
    CmdStop->setEnabled(!idle);
    CmdClose->setEnabled(idle);
    ComboFormat->setEnabled(idle);
}

bool FormConvert::mayReplace(const QString& fileName) {
    if (askReplace_)
        return askReplace_(fileName);
    return QMessageBox::question(
               this, QCoreApplication::translate("quillotap::FormConvert", "Converter"),
               QCoreApplication::translate("quillotap::FormConvert",
                                           "The file \"%1\" already exists.\n"
                                           "Do you want to replace it?")
                   .arg(fileName),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void FormConvert::CmdConvert_Click() {
    if (converter_.isConverting())
        return;
    const QString from = LabelFrom->text();
    const QString to = LabelTo->text();
    const QString target = folder_ + to;
    const QFileInfo existing(target);
    const bool replace = existing.exists() || existing.isSymLink();
    if (replace && !mayReplace(to))
        return;

    setIdle(false);
    if (ComboFormat->currentIndex() == FormatWMA)
        converter_.PrimeWmaConversion(folder_ + from, target + QStringLiteral("$.wav"));
    const bool ok = converter_.ConvertFile(folder_ + from, target, replace);
    ProgressConvert->setValue(0);
    setIdle(true);
    if (!ok)
        say(QMessageBox::Critical, QCoreApplication::translate("quillotap::FormConvert", "Error"),
            QCoreApplication::translate("quillotap::FormConvert",
                                        "\"%1\" could not be converted to \"%2\".\n\n%3")
                .arg(from, to, converter_.GetErrorText()));
    else if (converter_.sourceWasShort())
        say(QMessageBox::Warning,
            QCoreApplication::translate("quillotap::FormConvert", "Converter"),
            QCoreApplication::translate(
                "quillotap::FormConvert",
                "\"%1\" is shorter than its header says: it was probably cut off "
                "while it was being written. \"%2\" holds the part that could be "
                "read.")
                .arg(from, to));
}

void FormConvert::say(QMessageBox::Icon icon, const QString& title, const QString& text) {
    if (message_)
        message_(icon, title, text);
    else
        QMessageBox(icon, title, text, QMessageBox::Ok, this).exec();
}

void FormConvert::CmdStop_Click() {
    converter_.Stop();
    setIdle(true);
}

void FormConvert::reject() {
    // Escape, like the close box, does nothing while a conversion runs.
    if (converter_.isConverting())
        return;
    QDialog::reject();
}

void FormConvert::closeEvent(QCloseEvent* event) {
    if (converter_.isConverting()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace quillotap
