#include "settings/RegistryHive.h"

#include <gtest/gtest.h>

#include <random>

namespace quillotap {
namespace {

const QString kKey = QStringLiteral("Software\\Velmora Software\\Quillotap");

struct StoredValue {
    const char* name;
    RegValue value;
    const char* line; // how the value is written in the hive
};

const StoredValue kStoredValues[] = {
    {"Plain", RegValue::text("Yes"), R"("Plain"="Yes")"},
    {"Escapes", RegValue::text(R"(C:\dir "q")"), R"("Escapes"="C:\\dir \"q\"")"},
    {"Utf8", RegValue::text("Grüße ✓"), R"("Utf8"="Grüße ✓")"},
    {"Nul", RegValue::text(QByteArray("AB\0", 3)), R"("Nul"=hex(1):41,42,00)"},
    {"Break", RegValue::text("a\nb"), R"("Break"=hex(1):61,0a,62)"},
    {"Count", RegValue::dword(10), R"("Count"=dword:0000000a)"},
    {"Short", RegValue{REG_DWORD, "\x01\x02\x03"}, R"("Short"=hex(4):01,02,03)"},
    {"Blob", RegValue{REG_BINARY, "\x01\xff"}, R"("Blob"=hex:01,ff)"},
    {"Multi", RegValue{7, QByteArray("a\0\0", 3)}, R"("Multi"=hex(7):61,00,00)"},
    {"Na\"me\\", RegValue::text("v"), R"("Na\"me\\"="v")"},
    {"", RegValue::text("default"), R"(@="default")"},
};

RegistryHive storedValuesHive() {
    RegistryHive hive;
    hive.createKey(kKey);
    for (const StoredValue& v : kStoredValues)
        EXPECT_TRUE(hive.setValue(kKey, QString::fromUtf8(v.name), v.value)) << v.name;
    hive.createKey(QStringLiteral("Software\\Empty key"));
    return hive;
}

TEST(RegistryHive, WritesEveryKindOfValueInItsRegeditForm) {
    const QByteArray text = storedValuesHive().serialise();
    ASSERT_TRUE(text.startsWith("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Velmora "
                                "Software\\Quillotap]\n"));
    const QList<QByteArray> lines = text.split('\n');
    for (const StoredValue& v : kStoredValues)
        EXPECT_TRUE(lines.contains(QByteArray(v.line))) << v.line << "\nin\n" << text.data();
    EXPECT_TRUE(lines.contains("[HKEY_CURRENT_USER\\Software\\Empty key]"));
}

TEST(RegistryHive, ReadsBackWhatItWrites) {
    const RegistryHive hive = storedValuesHive();
    RegistryHive::ParseError error;
    const auto parsed = RegistryHive::parse(hive.serialise(), &error);
    ASSERT_TRUE(parsed) << error.line << ": " << error.message.toStdString();
    EXPECT_EQ(*parsed, hive);
    EXPECT_EQ(parsed->serialise(), hive.serialise());
}

TEST(RegistryHive, AcceptsWhatOtherToolsWrite) {
    const QByteArray text = "\xEF\xBB\xBF\r\n"
                            "REGEDIT4\r\n"
                            "; written by hand\r\n"
                            "\r\n"
                            "[hkey_current_user\\Software\\Velmora Software\\Quillotap]\r\n"
                            "  \"Spaced\" = \"x\"  \r\n"
                            "\"Lower\"=DWORD:A\r\n"
                            "\"Wrapped\"=hex(1):41,42,\\\r\n"
                            "  43,00\r\n"
                            "\"Twice\"=\"old\"\r\n"
                            "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
                            "[HKEY_CURRENT_USER\\Software\\Velmora Software\\Quillotap]\r\n"
                            "\"twice\"=\"new\"\r\n";
    RegistryHive::ParseError error;
    const auto hive = RegistryHive::parse(text, &error);
    ASSERT_TRUE(hive) << error.line << ": " << error.message.toStdString();
    EXPECT_EQ(hive->value(kKey, "Spaced"), RegValue::text("x"));
    EXPECT_EQ(hive->value(kKey, "Lower"), RegValue::dword(10));
    EXPECT_EQ(hive->value(kKey, "Wrapped"), RegValue::text(QByteArray("ABC\0", 4)));
    EXPECT_EQ(hive->value(kKey, "Twice"), RegValue::text("new"));
    EXPECT_EQ(hive->valueNames(kKey), QStringList({"Spaced", "Lower", "Wrapped", "Twice"}));
    EXPECT_EQ(hive->keyPaths().size(), 2);
}

struct Damage {
    const char* what;
    QByteArray text;
    int line;
};

class RegistryHiveDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(RegistryHiveDamage, IsReportedWithItsLine) {
    RegistryHive::ParseError error;
    EXPECT_FALSE(RegistryHive::parse(GetParam().text, &error));
    EXPECT_EQ(error.line, GetParam().line);
    EXPECT_FALSE(error.message.isEmpty());
}

QByteArray inKey(const QByteArray& line) {
    return "REGEDIT4\n[HKEY_CURRENT_USER\\Software]\n" + line + "\n";
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, RegistryHiveDamage,
    ::testing::Values(Damage{"empty file", "", 0}, Damage{"no header", "hello\n", 1},
                      Damage{"unicode export", "Windows Registry Editor Version 5.00\n", 1},
                      Damage{"value before key", "REGEDIT4\n\"a\"=\"b\"\n", 2},
                      Damage{"unclosed key", "REGEDIT4\n[HKEY_CURRENT_USER\\X\n", 2},
                      Damage{"other root", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\X]\n", 2},
                      Damage{"key deletion", "REGEDIT4\n[-HKEY_CURRENT_USER\\X]\n", 2},
                      Damage{"empty key part", "REGEDIT4\n[HKEY_CURRENT_USER\\A\\\\B]\n", 2},
                      Damage{"text without closing quote", inKey("\"a\"=\"b"), 3},
                      Damage{"no equals sign", inKey("\"a\" \"b\""), 3},
                      Damage{"text after the value", inKey("\"a\"=\"b\" c"), 3},
                      Damage{"unknown escape", inKey(R"("a"="b\q")"), 3},
                      Damage{"dword not hex", inKey("\"a\"=dword:xyz"), 3},
                      Damage{"dword too long", inKey("\"a\"=dword:123456789"), 3},
                      Damage{"bad hex digit", inKey("\"a\"=hex(1):4g"), 3},
                      Damage{"dangling comma", inKey("\"a\"=hex(1):41,"), 3},
                      Damage{"bad hex type", inKey("\"a\"=hex(zz):41"), 3},
                      Damage{"continuation at end", inKey("\"a\"=hex:41,\\"), 3},
                      Damage{"unknown type", inKey("\"a\"=str(2):41"), 3},
                      Damage{"NUL byte", inKey(QByteArray("\"a\"=\"x\0y\"", 9)), 3},
                      Damage{"control character in name", inKey("\"a\x01\"=\"b\""), 3},
                      Damage{"huge unterminated line", inKey("\"a\"=\"" + QByteArray(2 << 20, 'x')),
                             3}),
    [](const auto& info) {
        QString name = QString::fromLatin1(info.param.what);
        name.replace(QLatin1Char(' '), QLatin1Char('_')).remove(QLatin1Char('-'));
        return name.toStdString();
    });

TEST(RegistryHive, SurvivesRandomDamageAndStaysConsistent) {
    const QByteArray valid = storedValuesHive().serialise();
    std::mt19937 random(20240611);
    for (int round = 0; round < 3000; ++round) {
        QByteArray text = valid;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const auto at = static_cast<qsizetype>(random() % static_cast<unsigned>(text.size()));
            const char byte = "\"\\[]=:,\n\0x(9"[random() % 13];
            switch (random() % 3) {
            case 0:
                text[at] = byte;
                break;
            case 1:
                text.insert(at, byte);
                break;
            default:
                text.truncate(at);
            }
            if (text.isEmpty())
                break;
        }
        RegistryHive::ParseError error;
        const auto hive = RegistryHive::parse(text, &error);
        if (!hive) {
            EXPECT_GE(error.line, 0);
            EXPECT_LE(error.line, text.count('\n') + 1);
            continue;
        }
        // Whatever was accepted must be written back in a form that reads
        // as the same hive.
        const auto again = RegistryHive::parse(hive->serialise());
        ASSERT_TRUE(again) << text.toStdString();
        EXPECT_EQ(*again, *hive);
    }
}

TEST(RegistryHive, KeysAndNamesIgnoreCaseAndKeepTheirFirstSpelling) {
    RegistryHive hive;
    ASSERT_TRUE(hive.createKey(kKey));
    EXPECT_TRUE(hive.hasKey("SOFTWARE\\velmora software\\quillotap"));
    EXPECT_TRUE(hive.hasKey("Software\\Velmora Software")); // a parent
    EXPECT_TRUE(hive.hasKey(""));
    EXPECT_FALSE(hive.hasKey("Software\\Velmora"));
    EXPECT_FALSE(hive.hasKey("Software\\Velmora Software\\Quillotap\\Sub"));

    ASSERT_TRUE(hive.setValue(kKey, "FilePath", RegValue::text("a")));
    ASSERT_TRUE(hive.setValue(kKey.toUpper(), "FILEPATH", RegValue::text("b")));
    EXPECT_EQ(hive.valueNames(kKey), QStringList{"FilePath"});
    EXPECT_EQ(hive.value(kKey, "filepath"), RegValue::text("b"));
    // Parents are implied, not written as sections of their own.
    EXPECT_EQ(hive.keyPaths(), QStringList{kKey});
}

TEST(RegistryHive, RefusesBadPathsAndValuesOutsideKeys) {
    RegistryHive hive;
    EXPECT_FALSE(hive.setValue("Software\\Missing", "a", RegValue::text("x")));
    for (const char* path : {"Software\\\\Double", "\\Leading", "Trailing\\", "Line\nbreak"})
        EXPECT_FALSE(hive.createKey(path)) << path;
    EXPECT_TRUE(hive.keyPaths().isEmpty());
}

TEST(RegistryHive, DeletingAValueKeepsTheOthersReachable) {
    RegistryHive hive;
    hive.createKey(kKey);
    for (const char* name : {"A", "B", "C"})
        hive.setValue(kKey, name, RegValue::text(name));
    EXPECT_TRUE(hive.deleteValue(kKey, "a"));
    EXPECT_FALSE(hive.deleteValue(kKey, "A"));
    EXPECT_FALSE(hive.value(kKey, "A"));
    EXPECT_EQ(hive.value(kKey, "C"), RegValue::text("C"));
    hive.setValue(kKey, "C", RegValue::text("changed"));
    EXPECT_EQ(hive.valueNames(kKey), QStringList({"B", "C"}));
    EXPECT_EQ(hive.value(kKey, "C"), RegValue::text("changed"));
}

} // namespace
} // namespace quillotap
