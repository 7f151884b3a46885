// Every caption of every page and dialog is readable at the default font: the
// text of each label, check box, option button, push button and group title is
// measured against the room the control gives it, with long values in place
// (a deep output folder, the longest format lines). Only a path may be
// shortened, in the middle (how is tested with the value label itself).
// Every view is checked in English and in German, whose captions run longer;
// in German the buttons' accessible names must still carry their captions.
#include "../AppFixture.h"
#include "formats/FormatLine.h"

#include "audio/AudioFile.h"
#include "audio/MP3Lame.h"
#include "files/FormConvert.h"
#include "files/FormID3.h"
#include "files/FormProperties.h"
#include "formats/FormMP3.h"
#include "formats/FormOGG.h"
#include "formats/FormWAV.h"
#include "formats/FormWMA.h"
#include "formats/FormatCatalogue.h"
#include "formats/Mp3Settings.h"
#include "ui/FormAbout.h"
#include "ui/PageMenu.h"
#include "widgets/ValueLabel.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <QTranslator>

namespace quillotap::test {
namespace {

QString Describe(const QWidget* w) {
    return w->objectName().isEmpty()
               ? QString::fromLatin1(w->metaObject()->className()) + QStringLiteral(" \"") +
                     (qobject_cast<const QLabel*>(w) ? static_cast<const QLabel*>(w)->text()
                                                     : QString()) +
                     QLatin1Char('"')
               : w->objectName();
}

// Width a label's text needs on one line.
int TextWidth(const QLabel* label) {
    if (label->textFormat() == Qt::RichText ||
        (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()))) {
        QTextDocument doc;
        doc.setDefaultFont(label->font());
        doc.setDocumentMargin(0);
        doc.setHtml(label->text());
        return qCeil(doc.idealWidth());
    }
    int widest = 0;
    for (const QString& line : label->text().split(QLatin1Char('\n')))
        widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
    return widest;
}

// Room the label gives its text.
QRect TextArea(const QLabel* label) {
    QRect area = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(),
                                                -label->margin());
    if (label->indent() > 0)
        area.adjust(label->indent(), 0, 0, 0);
    return area;
}

// Why the control's caption cannot be read whole; "" when it can.
QString CutCaption(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->text().isEmpty() || !label->pixmap().isNull())
            return {};
        const QRect area = TextArea(label);
        if (auto* value = qobject_cast<ValueLabel*>(label); value && value->isShortened()) {
            // Only a path may be shortened: in the middle, readable as the tooltip.
            if (value->elideMode() != Qt::ElideMiddle)
                return QStringLiteral("is shortened to \"%1\"").arg(value->shownText());
            if (!value->shownText().contains(QChar(0x2026)))
                return QStringLiteral("is shortened without \"…\"");
            return {};
        }
        if (label->wordWrap()) {
            const int needed = label->heightForWidth(label->width());
            if (needed > label->height())
                return QStringLiteral("needs %1 px of height, has %2")
                    .arg(needed)
                    .arg(label->height());
            return {};
        }
        if (TextWidth(label) > area.width())
            return QStringLiteral("needs %1 px, has %2").arg(TextWidth(label)).arg(area.width());
        if (label->fontMetrics().height() > area.height())
            return QStringLiteral("is too low");
        return {};
    }
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
        const QSize needed = w->sizeHint();
        if (w->width() < needed.width() || w->height() < needed.height())
            return QStringLiteral("is %1x%2, needs %3x%4")
                .arg(w->width())
                .arg(w->height())
                .arg(needed.width())
                .arg(needed.height());
        return {};
    }
    if (auto* button = qobject_cast<QPushButton*>(w)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect contents =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        QString text = button->text();
        text.remove(QLatin1Char('&'));
        const int needed = button->fontMetrics().horizontalAdvance(text);
        if (needed > contents.width())
            return QStringLiteral("needs %1 px, has %2").arg(needed).arg(contents.width());
        return {};
    }
    if (auto* box = qobject_cast<QGroupBox*>(w)) {
        if (box->title().isEmpty())
            return {};
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxLabel;
        const QRect title = box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                         QStyle::SC_GroupBoxLabel, box);
        const int needed = box->fontMetrics().horizontalAdvance(box->title().trimmed());
        if (!box->rect().contains(title) || title.width() < needed)
            return QStringLiteral("title needs %1 px").arg(needed);
        return {};
    }
    return {};
}

// A control drawn only partly because an ancestor cuts it off. The content
// of a scroll area is not cut off: scrolling brings all of it into view.
bool ClippedByAncestor(const QWidget* w) {
    for (const QWidget* a = w->parentWidget(); a; a = a->parentWidget()) {
        const QWidget* viewport = a->parentWidget();
        auto* area =
            viewport ? qobject_cast<const QScrollArea*>(viewport->parentWidget()) : nullptr;
        if (area && area->widget() == a)
            break;
        const QRect inAncestor(w->mapTo(a, QPoint(0, 0)), w->size());
        if (!a->rect().contains(inAncestor))
            return true;
        if (a->isWindow())
            break;
    }
    return false;
}

// A part of a composite control (the list of a combo box, the buttons of a
// tab bar), which draws its own way.
bool IsInnerPart(const QWidget* w) {
    for (const QObject* p = w->parent(); p; p = p->parent()) {
        if (qobject_cast<const QComboBox*>(p) || p->inherits("QTabBar"))
            return true;
    }
    return false;
}

// Keeps a picture of the view with the test output, for a look by eye.
void SavePicture(QWidget& root, const QString& where) {
    const QString folder = qEnvironmentVariableIsEmpty("QUILLOTAP_TEST_OUTPUT")
                               ? QDir::currentPath()
                               : qEnvironmentVariable("QUILLOTAP_TEST_OUTPUT");
    QString name = where;
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), QStringLiteral("-"));
    root.grab().save(QDir(folder).filePath(QStringLiteral("captions-") + name.left(40) +
                                           QStringLiteral(".png")));
}

// A button's caption as a screen reader user hears it within the button's
// accessible name: without the accelerator mark, a trailing colon or ellipsis.
QString SpokenCaption(QString text) {
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    for (const QString& tail :
         {QStringLiteral("..."), QStringLiteral("\u2026"), QStringLiteral(":")}) {
        if (text.endsWith(tail))
            text.chop(tail.size());
    }
    return text.trimmed();
}

// Checks every caption shown in `root` now; `where` names the view, whose
// picture is kept when `picture` is set.
void ExpectCaptionsReadable(QWidget& root, const QString& where, bool picture = true) {
    SCOPED_TRACE(where.toStdString());
    // A scroll area lays out its content one round after its own layout.
    QApplication::processEvents();
    QApplication::processEvents();
    if (picture)
        SavePicture(root, where);
    int measured = 0;
    for (QWidget* w : root.findChildren<QWidget*>()) {
        const bool kind = qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w) ||
                          qobject_cast<QRadioButton*>(w) || qobject_cast<QPushButton*>(w) ||
                          qobject_cast<QGroupBox*>(w);
        if (!kind || !w->isVisible() || IsInnerPart(w))
            continue;
        ++measured;
        const QString cut = CutCaption(w);
        EXPECT_TRUE(cut.isEmpty()) << Describe(w).toStdString() << " " << cut.toStdString();
        EXPECT_FALSE(ClippedByAncestor(w)) << Describe(w).toStdString() << " is cut off";
        if (auto* button = qobject_cast<QAbstractButton*>(w);
            button && !button->accessibleName().isEmpty() && !button->text().isEmpty()) {
            EXPECT_TRUE(button->accessibleName().contains(SpokenCaption(button->text()),
                                                          Qt::CaseInsensitive))
                << Describe(w).toStdString() << ": the accessible name \""
                << button->accessibleName().toStdString() << "\" hides the caption \""
                << button->text().toStdString() << '"';
        }
    }
    EXPECT_GT(measured, 0) << "nothing shown";
}

// Runs in the UI language given as the parameter ("en" is the source
// language; any other loads the program's translation built beside it).
class CaptionsFitTest : public FastAppFixture, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        const QString language = QString::fromLatin1(GetParam());
        if (language != QLatin1String("en")) {
            const QString folder =
                qEnvironmentVariable("QUILLOTAP_BIN_DIR") + QStringLiteral("/translations");
            ASSERT_TRUE(translator_.load(QLocale(language), QStringLiteral("quillotap"),
                                         QStringLiteral("_"), folder))
                << "no translation for " << GetParam() << " in " << folder.toStdString();
            QCoreApplication::installTranslator(&translator_);
        }
        FastAppFixture::SetUp();
        // A folder as deep as users' folders get.
        deepFolder_ = documents_ + QStringLiteral("/Recordings of the weekly meetings/"
                                                  "Quarterly planning and review sessions");
        ASSERT_TRUE(QDir().mkpath(deepFolder_));
        start();
        ASSERT_TRUE(started_);
        form().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
    }

    // Shows a dialog the way its owner does, checks it and closes it.
    void checkDialog(QDialog& dialog, const QString& where) {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        ExpectCaptionsReadable(dialog, where);
        dialog.reject();
    }

    // Makes the format line show its longest MP3 description.
    void useLongestMp3Line() {
        MP3Lame& lame = form().formatOptions().mp3;
        lame.SampleRate = 48000;
        lame.Channels = 2;
        lame.TypeStereo = 3; // forced joint stereo
        lame.VbrCodingMethod = 1;
        lame.VbrQuality = 9;
        lame.Bitrate = 320;
        lame.VbrBitrate = 320;
        form().recordingSession().writer().SetMP3Encoder(lame);
        form().formatOptions().mp3Description =
            RefreshMp3FormatStr(form().recordingSession().writer());
    }

    void TearDown() override {
        FastAppFixture::TearDown();
        QCoreApplication::removeTranslator(&translator_);
    }

    QString deepFolder_;
    QTranslator translator_;
};

INSTANTIATE_TEST_SUITE_P(Languages, CaptionsFitTest, ::testing::Values("en", "de"),
                         [](const auto& info) { return std::string(info.param); });

TEST_P(CaptionsFitTest, EveryPageShowsItsWholeCaptions) {
    form().folderChooser().setFolderDialog(
        [&](QWidget*, const QString&, const QString&) { return deepFolder_; });
    form().folderChooser().browse();

    // A recording leaves its path on the recorder page.
    control<QPushButton>("CmdRecord")->click();
    ASSERT_TRUE(form().recordingSession().isRecording());
    ASSERT_TRUE(WaitFor([&] { return control<QLabel>("LabelRTime")->text() >= "00:00:02"; }));
    ExpectCaptionsReadable(form(), QStringLiteral("recorder page while recording"));
    control<QPushButton>("CmdStopRecord")->click();

    for (int page = 0; page < MainFrame::PageCount; ++page) {
        form().pageMenu().onMenuButtonClicked(page);
        ExpectCaptionsReadable(form(), QStringLiteral("page %1").arg(page));
    }
}

TEST_P(CaptionsFitTest, TheFormatLineShowsEveryDescriptionWhole) {
    auto* combo = control<QComboBox>("ComboFormat");
    auto* line = control<QLabel>("LabelFomartStr");
    for (int code = FormatMP3; code <= FormatOPUS; ++code) {
        combo->setCurrentIndex(code);
        ExpectCaptionsReadable(form(), QStringLiteral("format %1: ").arg(code) + line->text(),
                               false);
    }
    // The longest descriptions each format can have.
    useLongestMp3Line();
    combo->setCurrentIndex(FormatWAV);
    combo->setCurrentIndex(FormatMP3);
    ExpectCaptionsReadable(form(), QStringLiteral("longest format line"));
    combo->setCurrentIndex(FormatWMA);
    for (int profile = 1; profile <= FormWMA::ProfileCount; ++profile) {
        form().formatOptions().settings.WMAProfile = profile;
        form().formatLine().onFormatChosen();
        ExpectCaptionsReadable(form(), line->text(), false);
    }
    form().formatOptions().settings.OGGchVbr = true;
    form().formatOptions().settings.OGGsldrMinBitrate = 192;
    form().formatOptions().settings.OGGsldrMaxBitrate = 499;
    form().formatOptions().settings.OGGFreq = QStringLiteral("48,000 Hz");
    combo->setCurrentIndex(FormatOGG);
    ExpectCaptionsReadable(form(), line->text(), false);
}

TEST_P(CaptionsFitTest, EveryDialogShowsItsWholeCaptions) {
    AudioFile audio;
    MP3Lame lame;
    QString mp3Line = form().formatOptions().mp3Description;
    ID3Defaults id3;
    OutputFormatSettings settings;
    {
        FormMP3 dialog(lame, audio, mp3Line, id3, &form());
        dialog.show();
        auto* tabs = dialog.findChild<QTabWidget*>();
        ASSERT_NE(tabs, nullptr);
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            ExpectCaptionsReadable(dialog, QStringLiteral("MP3 tab ") + tabs->tabText(tab));
        }
        dialog.reject();
    }
    {
        FormOGG dialog(settings, audio, &form());
        checkDialog(dialog, QStringLiteral("OGG"));
    }
    {
        FormWAV dialog(settings, audio, &form());
        checkDialog(dialog, QStringLiteral("WAV"));
    }
    {
        FormWMA dialog(settings, audio, &form());
        checkDialog(dialog, QStringLiteral("WMA"));
    }

    // The file dialogs on a real recording in the deep folder.
    const QString folder = deepFolder_ + QLatin1Char('/');
    const QString name = QStringLiteral("20261207-181541.mp3");
    {
        AudioFile writer;
        writer.SetMP3Encoder(lame);
        writer.CreateForWriting(folder + name, 0);
        ASSERT_GE(writer.GetStatus(), 0);
        writer.SetInputFormat(44100, 2);
        ASSERT_TRUE(writer.WriteSamples(SampleBlock(44100 * 2, 1000)));
        writer.Close();
    }
    {
        FormID3 dialog(folder + name, &form());
        checkDialog(dialog, QStringLiteral("ID3 editor"));
    }
    {
        FormConvert dialog(folder, name, lame, settings, mp3Line, &form());
        checkDialog(dialog, QStringLiteral("converter"));
    }
    {
        FormProperties dialog(RecordingFacts::Read(folder + name), &form());
        checkDialog(dialog, QStringLiteral("properties"));
    }
    {
        FormAbout dialog(&form());
        checkDialog(dialog, QStringLiteral("about"));
    }
}

} // namespace
} // namespace quillotap::test
