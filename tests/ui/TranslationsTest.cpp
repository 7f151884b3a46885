// The program finds its compiled translation beside it in a build tree and in
// the installed companion folder, uses it for a German locale and stays
// English, without complaint, for a locale it has no translation for.
#include "ui/Translations.h"

#include "ui/CaptionedPictures.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLibraryInfo>
#include <QTemporaryDir>

namespace quillotap::test {
namespace {

QString BuiltGermanTranslation() {
    return qEnvironmentVariable("QUILLOTAP_BIN_DIR") +
           QStringLiteral("/translations/quillotap_de.qm");
}

// A text of the recorder page's status line, in the UI language.
QString ReadyText() {
    return QCoreApplication::translate("quillotap::RecordingTexts", "Ready to record");
}

class TranslationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::exists(BuiltGermanTranslation()))
            << BuiltGermanTranslation().toStdString();
        ASSERT_TRUE(folder_.isValid());
    }
    // Puts the built translation at `relative` below the temporary folder.
    void place(const QString& relative) {
        const QString target = folder_.filePath(relative);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(target).path()));
        ASSERT_TRUE(QFile::copy(BuiltGermanTranslation(), target));
    }
    QString bin() const { return folder_.filePath(QStringLiteral("usr/bin")) + QLatin1Char('/'); }

    QTemporaryDir folder_;
};

TEST_F(TranslationsTest, AnInstalledProgramSpeaksGermanOnAGermanDesktop) {
    place(QStringLiteral("usr/share/quillotap/translations/quillotap_de.qm"));
    ASSERT_TRUE(QDir().mkpath(bin()));
    {
        const UiTranslations translations(bin(), QLocale(QStringLiteral("de_DE")));
        EXPECT_TRUE(translations.programFile().endsWith(
            QStringLiteral("share/quillotap/translations/quillotap_de.qm")))
            << translations.programFile().toStdString();
        EXPECT_EQ(ReadyText(), QStringLiteral("Bereit zur Aufnahme"));
        // Qt's own texts follow when Debian's Qt translations are installed.
        if (QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                          QStringLiteral("/qtbase_de.qm"))) {
            EXPECT_TRUE(translations.hasQtTranslation());
            EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                      QStringLiteral("Abbrechen"));
        }
    }
    // Gone with the object: later windows are English again.
    EXPECT_EQ(ReadyText(), QStringLiteral("Ready to record"));
}

TEST_F(TranslationsTest, TheBuildTreeCopyBesideTheProgramComesFirst) {
    place(QStringLiteral("usr/bin/translations/quillotap_de.qm"));
    const UiTranslations translations(bin(), QLocale(QStringLiteral("de_AT")));
    EXPECT_EQ(translations.programFile(), bin() + QStringLiteral("translations/quillotap_de.qm"));
    EXPECT_EQ(ReadyText(), QStringLiteral("Bereit zur Aufnahme"));
}

TEST_F(TranslationsTest, OtherLocalesStayEnglish) {
    place(QStringLiteral("usr/bin/translations/quillotap_de.qm"));
    for (const char* name : {"en_GB", "xx_YY", "C"}) {
        const UiTranslations translations(bin(), QLocale(QString::fromLatin1(name)));
        EXPECT_TRUE(translations.programFile().isEmpty()) << name;
        EXPECT_FALSE(translations.hasQtTranslation()) << name;
        EXPECT_EQ(ReadyText(), QStringLiteral("Ready to record")) << name;
    }
    // No translation folder at all is no error either.
    QTemporaryDir empty;
    const UiTranslations none(empty.path() + QLatin1Char('/'), QLocale(QStringLiteral("de_DE")));
    EXPECT_TRUE(none.programFile().isEmpty());
    EXPECT_EQ(ReadyText(), QStringLiteral("Ready to record"));
}

// The page-menu and About pictures have their labels drawn in; on a German
// desktop they must show the German label, whole, on the unchanged face and
// glyph, and on an English one stay exactly as drawn.
TEST_F(TranslationsTest, ThePagePicturesShowTheLabelsOfTheUiLanguage) {
    for (int button = 0; button < 6; ++button) {
        for (MenuPicture state : {MenuPicture::Normal, MenuPicture::Hover, MenuPicture::Selected})
            EXPECT_EQ(MenuButtonPicture(button, state).toImage(),
                      LoadBitmap(MenuBitmapNumber(button, state)).toImage());
    }
    EXPECT_EQ(AboutPicture(bitmap::AboutNormal).toImage(),
              LoadBitmap(bitmap::AboutNormal).toImage());

    place(QStringLiteral("usr/bin/translations/quillotap_de.qm"));
    const UiTranslations translations(bin(), QLocale(QStringLiteral("de_DE")));
    ASSERT_FALSE(translations.programFile().isEmpty());
    QFont bold(QStringLiteral("DejaVu Sans"));
    bold.setPixelSize(12);
    bold.setBold(true);
    for (int button = 0; button < 6; ++button) {
        const QString caption = MenuButtonCaption(button);
        EXPECT_NE(caption, QString::fromLatin1(MenuButtonLabel(button)));
        // The longest form (bold, selected) fits beside the glyph unshortened.
        EXPECT_LE(QFontMetrics(bold).horizontalAdvance(caption), 135 - 34 - 6)
            << caption.toStdString();
        for (MenuPicture state : {MenuPicture::Normal, MenuPicture::Hover, MenuPicture::Selected}) {
            const QImage drawn = LoadBitmap(MenuBitmapNumber(button, state))
                                     .toImage()
                                     .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            const QImage shown = MenuButtonPicture(button, state)
                                     .toImage()
                                     .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            ASSERT_EQ(shown.size(), drawn.size());
            EXPECT_NE(shown, drawn) << "button " << button << " keeps its English label";
            // Border and glyph untouched.
            EXPECT_EQ(shown.copy(0, 0, 32, shown.height()), drawn.copy(0, 0, 32, drawn.height()))
                << "button " << button;
        }
    }
    EXPECT_NE(GreyedFilesPicture().toImage(), LoadBitmap(bitmap::FilesGreyed).toImage());
    EXPECT_NE(AboutPicture(bitmap::AboutHover).toImage(), LoadBitmap(bitmap::AboutHover).toImage());
}

} // namespace
} // namespace quillotap::test
