#include "hotkeys/KeyNames.h"

namespace quillotap {

namespace {

// The 22 keys that are looked up by name rather than by character code.
constexpr std::array<KeyName, 22> kNamedKeys{{
    {u"Up", 38},   {u"Down", 40},   {u"Left", 37},   {u"Right", 39},   {u"Home", 36},
    {u"End", 35},  {u"Insert", 45}, {u"Delete", 46}, {u"Page Up", 33}, {u"Page Down", 34},
    {u"F1", 112},  {u"F2", 113},    {u"F3", 114},    {u"F4", 115},     {u"F5", 116},
    {u"F6", 117},  {u"F7", 118},    {u"F8", 119},    {u"F9", 120},     {u"F10", 121},
    {u"F11", 122}, {u"F12", 123},
}};

constexpr char16_t kLetters[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr char16_t kDigits[] = u"0123456789";

std::array<KeyName, KeyNameCount> buildTable() {
    std::array<KeyName, KeyNameCount> table{};
    std::size_t i = 0;
    for (int k = 0; k < 26; ++k, ++i)
        table[i] = {QStringView(kLetters + k, 1), 'A' + k};
    for (int k = 0; k < 10; ++k, ++i)
        table[i] = {QStringView(kDigits + k, 1), '0' + k};
    for (const KeyName& named : kNamedKeys)
        table[i++] = named;
    return table;
}

} // namespace

const std::array<KeyName, KeyNameCount>& KeyNameTable() {
    static const std::array<KeyName, KeyNameCount> table = buildTable();
    return table;
}

QStringList KeyNameList() {
    QStringList names;
    names.reserve(KeyNameCount);
    for (const KeyName& key : KeyNameTable())
        names.append(key.name.toString());
    return names;
}

int VirtualKeyForName(QStringView name) {
    if (name.size() == 1)
        return name.front().unicode();
    for (const KeyName& named : kNamedKeys) {
        if (named.name == name)
            return named.virtualKey;
    }
    return 0;
}

} // namespace quillotap
