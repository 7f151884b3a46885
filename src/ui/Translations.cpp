#include "ui/Translations.h"

#include "settings/CompanionFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace quillotap {

QStringList TranslationFolders(const QString& appFolder) {
    return {appFolder + QLatin1String("translations"),
            QDir::cleanPath(appFolder + QLatin1String(InstalledCompanionFolder) +
                            QLatin1String("translations"))};
}

UiTranslations::UiTranslations(const QString& appFolder, const QLocale& locale) {
    auto own = std::make_unique<QTranslator>();
    for (const QString& folder : TranslationFolders(appFolder)) {
        if (QFileInfo(folder).isDir() &&
            own->load(locale, QStringLiteral("quillotap"), QStringLiteral("_"), folder)) {
            own_ = std::move(own);
            break;
        }
    }
    if (!own_ || !QCoreApplication::installTranslator(own_.get())) {
        own_.reset();
        return;
    }
    // Qt's texts only beside a translation of the program's own, so an
    // English window never shows translated standard buttons.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(qt.get()))
        qt_ = std::move(qt);
}

UiTranslations::~UiTranslations() {
    if (qt_)
        QCoreApplication::removeTranslator(qt_.get());
    if (own_)
        QCoreApplication::removeTranslator(own_.get());
}

QString UiTranslations::programFile() const {
    return own_ ? own_->filePath() : QString();
}

} // namespace quillotap
