// A button drawn entirely from pictures: normal, hover and pressed (the
// pressed picture doubles as "selected" for the page menu), plus an optional
// greyed picture. Hovering swaps the picture; a button marked selected keeps
// its pressed picture while hovered or left. Keyboard users reach it with Tab
// and press it with Space or Enter; screen readers see a push button named
// after the label drawn in the pictures.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace quillotap {

class PictureButton : public QWidget {
    Q_OBJECT
public:
    enum class Picture { Normal, Hover, Pressed, Greyed };

    explicit PictureButton(QWidget* parent = nullptr);
    PictureButton(const QString& accessibleName, const QPixmap& normal, const QPixmap& hover,
                  const QPixmap& pressed, QWidget* parent = nullptr);

    void setPictures(const QPixmap& normal, const QPixmap& hover, const QPixmap& pressed);
    void setGreyedPicture(const QPixmap& greyed);

    // Shows one of the pictures until the pointer or the next call changes it.
    void showPicture(Picture picture);
    Picture shownPicture() const { return shown_; }

    // A selected button shows its pressed picture whether hovered or not.
    void setSelected(bool selected);
    bool isSelected() const { return selected_; }

    // Runs the click as a mouse click would, for keyboard and accessibility.
    void click();

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showHover(bool inside);
    const QPixmap& pixmapFor(Picture picture) const;

    QPixmap normal_;
    QPixmap hover_;
    QPixmap pressed_;
    QPixmap greyed_;
    Picture shown_ = Picture::Normal;
    bool selected_ = false;
};

} // namespace quillotap
