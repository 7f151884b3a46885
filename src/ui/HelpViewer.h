// The user manual: an HTML page shipped beside the executable (or in the
// installed share folder, see CompanionFiles.h), opened in the desktop's
// browser, or in a small in-program viewer when the desktop cannot open it.
// A missing manual is not reported.
#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace quillotap {

// File name of the manual in the program's folder.
inline constexpr const char* HelpFileName = "quillotap-help.html";

// The manual of a program in `appFolder` (ending in "/"): beside it, else
// its installed copy; `appFolder` + the manual's name when there is none.
QString HelpFilePath(const QString& appFolder);

// Opens the manual from `appFolder`. Returns false when there is no manual
// to open. `owner` parents the in-program viewer.
bool ShowHelp(const QString& appFolder, QWidget* owner = nullptr);

// The in-program viewer, one per owner: a second request raises it.
class HelpBrowser : public QDialog {
    Q_OBJECT
public:
    HelpBrowser(const QString& helpFile, QWidget* owner);
    static HelpBrowser* showFor(const QString& helpFile, QWidget* owner);

    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

} // namespace quillotap
