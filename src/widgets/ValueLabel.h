// A label that shows a value the program changes as it runs: a status, a
// time, a size, a path, a format line. A screen reader hears what it stands
// for followed by the value shown ("Elapsed time 00:01:23"), and hears the new
// value each time the text changes. A label too narrow for its value can
// shorten the value with "…" and show the whole of it as its tooltip.
#pragma once

#include <QLabel>
#include <QString>

namespace quillotap {

class ValueLabel : public QLabel {
    Q_OBJECT
    // What the value is ("Elapsed time"); empty: the value speaks for itself.
    Q_PROPERTY(QString valueCaption READ valueCaption WRITE setValueCaption)
    // Where a value too long for the label is shortened; Qt::ElideNone cuts
    // nothing and lets the layout decide.
    Q_PROPERTY(Qt::TextElideMode elideMode READ elideMode WRITE setElideMode)
public:
    explicit ValueLabel(QWidget* parent = nullptr);
    explicit ValueLabel(const QString& text, QWidget* parent = nullptr);

    QString valueCaption() const { return caption_; }
    void setValueCaption(const QString& caption);

    Qt::TextElideMode elideMode() const { return elide_; }
    void setElideMode(Qt::TextElideMode mode);

    // The name a screen reader announces: the caption, a blank and the whole
    // text; the text alone without a caption.
    QString spokenName() const;

    // The text as it is painted at the label's present width: text(), or
    // the shortened form when it does not fit.
    QString shownText() const;
    bool isShortened() const { return shownText() != text(); }

    // A label that shortens its value can be made as narrow as a few
    // characters; one that does not needs its whole text.
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int availableWidth() const;

    QString caption_;
    Qt::TextElideMode elide_ = Qt::ElideNone;
};

} // namespace quillotap
