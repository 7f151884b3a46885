// The program's texts in the desktop's language. English is the source
// language; a translation is used when one exists for the locale, and Qt's
// own (the standard buttons of message boxes and dialogs) beside it.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <memory>

class QTranslator;

namespace quillotap {

// The folders holding the compiled translations of a program in
// `appFolder` (ending in "/"): "translations" beside it in a build tree, then
// the installed companion folder's "translations".
QStringList TranslationFolders(const QString& appFolder);

// Installs into the running application, while it lives, the program's
// translation for `locale` (its UI languages in order, "de_DE" falling back
// to "de") from the first of TranslationFolders(appFolder) that has one, and
// then Qt's own translation from Qt's translations folder when present. An
// English or unknown locale, or one without a file, leaves the texts English;
// that is not an error and is not reported. Needs a QCoreApplication.
class UiTranslations {
public:
    explicit UiTranslations(const QString& appFolder, const QLocale& locale = QLocale::system());
    ~UiTranslations();
    UiTranslations(const UiTranslations&) = delete;
    UiTranslations& operator=(const UiTranslations&) = delete;

    // The program's translation file in use; "" while the texts are English.
    QString programFile() const;
    // Whether Qt's own translation is in use too.
    bool hasQtTranslation() const { return qt_ != nullptr; }

private:
    std::unique_ptr<QTranslator> own_;
    std::unique_ptr<QTranslator> qt_;
};

} // namespace quillotap
