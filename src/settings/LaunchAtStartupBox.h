// The "Launch at startup" box: ticking it writes the login entry, clearing
// it removes the entry, at once. An entry that cannot be written or removed
// puts the box back and the reason is shown.
#pragma once

#include <QObject>
#include <functional>

class QAbstractButton;

namespace quillotap {

class LaunchAtStartupBox : public QObject {
    Q_OBJECT
public:
    using Message = std::function<void(const QString& text)>;
    LaunchAtStartupBox(QAbstractButton* box, Message warning, QObject* parent = nullptr);

    // Ticks the box when the entry exists; ticking writes the entry again,
    // with this program's path.
    void load();

private:
    void onToggled(bool ticked);

    QAbstractButton* box_;
    Message warning_;
};

} // namespace quillotap
