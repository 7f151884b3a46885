#include "settings/SettingsSchema.h"

#include "settings/NumericText.h"
#include "settings/Settings.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace quillotap {

namespace {

QString NameOf(const OptionKey& option) {
    return QString::fromLatin1(option.name);
}

// The whole number a text stands for in the given form; nothing when it
// stands for none or for one beyond an int.
std::optional<int> NumberFromText(NumberForm form, const QString& text) {
    bool ok = true;
    double number = 0;
    switch (form) {
    case NumberForm::Whole: {
        const int whole = text.trimmed().toInt(&ok);
        return ok ? std::optional<int>(whole) : std::nullopt;
    }
    case NumberForm::LeadingWhole:
        number = LeadingNumber(text);
        if (std::floor(number) != number)
            return std::nullopt;
        break;
    case NumberForm::Rounded:
        number = text.trimmed().toDouble(&ok);
        break;
    case NumberForm::LeadingRounded:
        number = LeadingNumber(text);
        break;
    }
    if (!ok || !std::isfinite(number) || std::fabs(number) > double(INT_MAX))
        return std::nullopt;
    return static_cast<int>(std::lround(number));
}

} // namespace

bool OptionFromText(const BoolOption& option, const QString& stored) {
    if (option.form == BoolForm::Exact) {
        const char* other = option.fallback ? option.offText : option.onText;
        return stored == QLatin1String(other) ? !option.fallback : option.fallback;
    }
    const QString text = stored.trimmed();
    if (text.compare(QLatin1String(option.onText), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String(option.offText), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok ? number != 0 : option.fallback;
}

int OptionFromText(const IntOption& option, const QString& stored) {
    if (stored.isEmpty())
        return option.fallback;
    const std::optional<int> number = NumberFromText(option.form, stored);
    if (!number || *number < option.lowest || *number > option.highest)
        return option.fallback;
    if (!option.allowed.empty() &&
        std::find(option.allowed.begin(), option.allowed.end(), *number) == option.allowed.end())
        return option.fallback;
    return *number;
}

QString OptionFromText(const TextOption& option, const QString& stored) {
    if (option.choices.empty())
        return stored.isEmpty() ? QString::fromUtf8(option.fallback) : stored;
    const QString text = stored.trimmed();
    for (const char* choice : option.choices) {
        if (text == QLatin1String(choice))
            return text;
    }
    return QString::fromUtf8(option.fallback);
}

QString OptionText(const BoolOption& option, bool value) {
    return QString::fromLatin1(value ? option.onText : option.offText);
}

QString OptionText(const IntOption&, int value) {
    return QString::number(value);
}

bool ReadOption(const BoolOption& option) {
    return OptionFromText(option, ReadSetting(NameOf(option)));
}

int ReadOption(const IntOption& option) {
    return OptionFromText(option, ReadSetting(NameOf(option)));
}

QString ReadOption(const TextOption& option) {
    return OptionFromText(option, ReadSetting(NameOf(option)));
}

void WriteOption(const BoolOption& option, bool value) {
    WriteSetting(NameOf(option), OptionText(option, value));
}

void WriteOption(const IntOption& option, int value) {
    WriteSetting(NameOf(option), OptionText(option, value));
}

void WriteOption(const TextOption& option, const QString& value) {
    WriteSetting(NameOf(option), value);
}

} // namespace quillotap
