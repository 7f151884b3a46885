#include "widgets/ChromeAccessibility.h"

#include "widgets/PictureButton.h"
#include "widgets/PictureSlider.h"
#include "widgets/ValueLabel.h"

#include <QAccessibleWidget>
#include <algorithm>

namespace quillotap {

namespace {

class AccessiblePictureButton : public QAccessibleWidget {
public:
    explicit AccessiblePictureButton(PictureButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction())
            static_cast<PictureButton*>(widget())->click();
        else
            QAccessibleWidget::doAction(actionName);
    }
};

class AccessiblePictureSlider : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessiblePictureSlider(PictureSlider* slider)
        : QAccessibleWidget(slider, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return slider()->value(); }

    // Setting the value from assistive technology acts like a release there.
    void setCurrentValue(const QVariant& value) override {
        const int target = std::clamp(value.toInt(), 0, slider()->range());
        slider()->placeKnobAtValue(target);
        emit slider()->released(slider()->value());
    }

    QVariant maximumValue() const override { return slider()->range(); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    PictureSlider* slider() const { return static_cast<PictureSlider*>(widget()); }
};

// A label showing a value: its name is what the value is followed by the
// value, so a screen reader reads both; the label announces its changes.
class AccessibleValueLabel : public QAccessibleWidget {
public:
    explicit AccessibleValueLabel(ValueLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Name:
            return label()->spokenName();
        case QAccessible::Value:
            return label()->text();
        case QAccessible::Description:
            if (!label()->accessibleDescription().isEmpty())
                return label()->accessibleDescription();
            return label()->valueCaption();
        default:
            return QAccessibleWidget::text(t);
        }
    }

private:
    ValueLabel* label() const { return static_cast<ValueLabel*>(widget()); }
};

QAccessibleInterface* ChromeFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("quillotap::PictureButton"))
        return new AccessiblePictureButton(static_cast<PictureButton*>(object));
    if (className == QLatin1String("quillotap::PictureSlider"))
        return new AccessiblePictureSlider(static_cast<PictureSlider*>(object));
    if (className == QLatin1String("quillotap::ValueLabel"))
        return new AccessibleValueLabel(static_cast<ValueLabel*>(object));
    return nullptr;
}

} // namespace

void InstallChromeAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(ChromeFactory);
        return true;
    }();
    (void)installed;
}

} // namespace quillotap
