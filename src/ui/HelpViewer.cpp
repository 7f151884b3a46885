#include "ui/HelpViewer.h"

#include "settings/CompanionFiles.h"
#include "widgets/Bitmaps.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace quillotap {

namespace {

// Platforms without a desktop to hand the page to (tests, headless runs).
bool HasDesktop() {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

} // namespace

QString HelpFilePath(const QString& appFolder) {
    return CompanionFilePath(appFolder, QLatin1String(HelpFileName));
}

bool ShowHelp(const QString& appFolder, QWidget* owner) {
    const QString path = HelpFilePath(appFolder);
    if (!QFileInfo(path).isFile())
        return false;
    if (HasDesktop() && QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return true;
    HelpBrowser::showFor(path, owner);
    return true;
}

HelpBrowser::HelpBrowser(const QString& helpFile, QWidget* owner)
    : QDialog(owner), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpBrowser"));
    setWindowTitle(tr("Quillotap Help"));
    setWindowIcon(ProgramIcon());
    setModal(false);
    resize(720, 640);

    browser_->setOpenExternalLinks(true);
    browser_->setSource(QUrl::fromLocalFile(helpFile));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addWidget(buttons);
}

HelpBrowser* HelpBrowser::showFor(const QString& helpFile, QWidget* owner) {
    HelpBrowser* viewer =
        owner ? owner->findChild<HelpBrowser*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!viewer) {
        viewer = new HelpBrowser(helpFile, owner);
        viewer->setAttribute(Qt::WA_DeleteOnClose);
    }
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}

} // namespace quillotap
