// The registry and INI rules of shell/Settings against Wine's real registry and INI files.
#include <algorithm>
#include <fstream>
#include <sstream>

#include "shell/Settings.h"
#include "tests/wine/shell/WineShellEnv.h"

namespace dv::winetest {
namespace {

using SettingsWine = WineShellTest;

// Keeps one of the program's own registry items as it was, keys included.
class RealItemGuard {
public:
    explicit RealItemGuard(const std::string& item) {
        size_t cut = item.rfind('\\');
        key_ = item.substr(0, cut);
        value_ = item.substr(cut + 1);
        for (size_t at = key_.find('\\'); at != std::string::npos; at = key_.find('\\', at + 1))
            if (!keyExists(key_.substr(0, at))) missing_.push_back(key_.substr(0, at));
        if (!keyExists(key_)) missing_.push_back(key_);
        had_ = reg_.query(kUsers, key_, value_, type_, data_);
    }
    ~RealItemGuard() {
        if (had_)
            reg_.set(kUsers, key_, value_, type_, data_);
        else
            reg_.deleteValue(kUsers, key_, value_);
        if (!missing_.empty()) deleteTree(missing_.front());
    }

private:
    Win32Registry reg_;
    std::string key_, value_, data_;
    std::vector<std::string> missing_;  // keys that did not exist, outermost first
    uint32_t type_ = 0;
    bool had_ = false;
};

TEST_F(SettingsWine, StartSwitchesReadOnlyDwordValues) {
    RealItemGuard autoSearch(kAutoSearchItem);
    RealItemGuard notShow(kNotShowItem);

    ASSERT_TRUE(regWriteText(app, kUsers, kAutoSearchItem, "1"));
    EXPECT_EQ(regReadInt(app, kUsers, kAutoSearchItem), 0u);
    EXPECT_EQ(regReadInt(app, kUsers, kAutoSearchItem, 9), 9u);

    writeStartSwitches(app, 1);
    EXPECT_EQ(regReadInt(app, kUsers, kAutoSearchItem), 1u);
    EXPECT_EQ(regReadInt(app, kUsers, kNotShowItem), 1u);
    uint32_t type = 0;
    std::string data;
    ASSERT_TRUE(p.registry.query(kUsers, std::string(kOwnKey) + "\\Auto", "NotShow", type, data));
    EXPECT_EQ(type, uint32_t(REG_DWORD));
    EXPECT_EQ(data, std::string("\1\0\0\0", 4));
}

TEST_F(SettingsWine, MissingValuesAndKeysReadAsTheDefault) {
    EXPECT_EQ(regReadInt(app, kUsers, key + "\\Nothing", 5), 5u);
    EXPECT_EQ(regReadInt(app, kUsers, key + "\\Nothing"), 0u);
    EXPECT_EQ(regReadBytes(app, kUsers, key + "\\Nothing"), "");
    EXPECT_FALSE(regExists(app, kUsers, key + "\\Nothing"));
    EXPECT_FALSE(keyExists(key));  // reading never creates the key

    ASSERT_TRUE(regWriteInt(app, kUsers, key + "\\Number", 77));
    EXPECT_EQ(regReadInt(app, kUsers, key + "\\Other", 5), 5u);
    EXPECT_EQ(regReadBytes(app, kUsers, key + "\\Number"), "");  // a DWORD is not bytes
    EXPECT_EQ(regReadInt(app, kUsers, key + "\\Number", 5), 77u);
}

TEST_F(SettingsWine, WritingCreatesTheMissingKeys) {
    ASSERT_TRUE(regWriteInt(app, kUsers, key + "\\A\\B\\Count", 0x01020304));
    EXPECT_TRUE(keyExists(key + "\\A\\B"));
    EXPECT_EQ(regReadInt(app, kUsers, key + "\\A\\B\\Count"), 0x01020304u);

    ASSERT_TRUE(regWriteText(app, kUsers, key + "\\A\\Name", "text"));
    char buf[16] = {};
    DWORD size = sizeof(buf), type = 0;
    HKEY h;
    ASSERT_EQ(RegOpenKeyExA(HKEY_USERS, (key + "\\A").c_str(), 0, KEY_READ, &h), ERROR_SUCCESS);
    ASSERT_EQ(RegQueryValueExA(h, "Name", nullptr, &type, reinterpret_cast<BYTE*>(buf), &size),
              ERROR_SUCCESS);
    RegCloseKey(h);
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(std::string(buf, size), std::string("text", 5));
}

TEST_F(SettingsWine, DeleteRemovesTheValueOrElseTheKeyOfTheWholePath) {
    ASSERT_TRUE(regWriteInt(app, kUsers, key + "\\Sub\\Value", 1));
    ASSERT_TRUE(regWriteInt(app, kUsers, key + "\\Keep", 2));

    EXPECT_TRUE(regDelete(app, kUsers, key + "\\Sub\\Value"));
    EXPECT_FALSE(regExists(app, kUsers, key + "\\Sub\\Value"));
    EXPECT_TRUE(keyExists(key + "\\Sub"));

    // No value "Sub" under key, but a key of that path: the key goes.
    EXPECT_TRUE(regDelete(app, kUsers, key + "\\Sub"));
    EXPECT_FALSE(keyExists(key + "\\Sub"));
    EXPECT_EQ(regReadInt(app, kUsers, key + "\\Keep"), 2u);

    EXPECT_FALSE(regDelete(app, kUsers, key + "\\Gone"));
}

TEST_F(SettingsWine, KeyDeletionNeverReachesTheParent) {
    ASSERT_TRUE(regWriteInt(app, kUsers, key + "\\Deep\\Inner\\V", 1));
    // A key with subkeys stays, and a trailing backslash names no key at all.
    EXPECT_FALSE(p.registry.deleteKey(kUsers, key + "\\Deep"));
    EXPECT_FALSE(p.registry.deleteKey(kUsers, key + "\\Deep\\Inner\\"));
    EXPECT_FALSE(p.registry.deleteKey(kUsers, ""));
    EXPECT_FALSE(p.registry.deleteKey(99, key + "\\Deep\\Inner"));
    EXPECT_TRUE(keyExists(key + "\\Deep\\Inner"));
    EXPECT_TRUE(p.registry.deleteKey(kUsers, key + "\\Deep\\Inner"));
    EXPECT_FALSE(keyExists(key + "\\Deep\\Inner"));
    EXPECT_TRUE(keyExists(key + "\\Deep"));
}

TEST_F(SettingsWine, BinaryValuesKeepEveryByte) {
    std::string bytes("C:\\Keep\\\0\xFF\x80 end", 13);
    ASSERT_TRUE(regWriteBytes(app, kUsers, key + "\\SaveFilePath", bytes));
    EXPECT_EQ(regReadBytes(app, kUsers, key + "\\SaveFilePath"), bytes);
    EXPECT_EQ(regReadInt(app, kUsers, key + "\\SaveFilePath", 3), 3u);

    std::string big(200000, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = char(i * 7 + i / 251);
    ASSERT_TRUE(regWriteBytes(app, kUsers, key + "\\Big", big));
    EXPECT_EQ(regReadBytes(app, kUsers, key + "\\Big"), big);

    ASSERT_TRUE(regWriteBytes(app, kUsers, key + "\\Empty", ""));
    EXPECT_TRUE(regExists(app, kUsers, key + "\\Empty"));
    EXPECT_EQ(regReadBytes(app, kUsers, key + "\\Empty"), "");
}

TEST_F(SettingsWine, ValueNamesListEveryValue) {
    std::vector<std::string> names;
    EXPECT_FALSE(p.registry.valueNames(kUsers, key, names));
    // Long names and long data do not stop the enumeration.
    const std::string longName(300, 'n');
    ASSERT_TRUE(regWriteInt(app, kUsers, key + "\\a", 1));
    ASSERT_TRUE(regWriteText(app, kUsers, key + "\\" + longName, std::string(1000, 'x')));
    ASSERT_TRUE(regWriteBytes(app, kUsers, key + "\\b", "yy"));
    ASSERT_TRUE(p.registry.valueNames(kUsers, key, names));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b", longName}));
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(SettingsWine, IniEmptyNamesReadAsEmptyWithoutReading) {
    const std::string file = folder + "set.ini";
    ASSERT_TRUE(iniWrite(app, file, "update", "auto", "T"));
    EXPECT_EQ(iniRead(app, file, "", "auto", "dflt"), "");
    EXPECT_EQ(iniRead(app, file, "update", "", "dflt"), "");
    EXPECT_EQ(iniRead(app, "", "update", "auto", "dflt"), "");
    EXPECT_EQ(iniRead(app, file, "update", "auto", "dflt"), "T");
}

TEST_F(SettingsWine, IniWriteCreatesFileAndSection) {
    const std::string file = folder + "dustvaneset.ini";
    ASSERT_TRUE(iniWrite(app, file, "update", "day", "10"));
    ASSERT_TRUE(iniWrite(app, file, "update", "time", "2026-12-07"));
    ASSERT_TRUE(iniWrite(app, file, "other", "k", "v"));
    EXPECT_EQ(iniRead(app, file, "update", "day"), "10");
    EXPECT_EQ(iniRead(app, file, "update", "time"), "2026-12-07");
    EXPECT_EQ(iniRead(app, file, "other", "k"), "v");
    std::string text = fileText(file);
    EXPECT_NE(text.find("[update]"), std::string::npos) << text;
    EXPECT_NE(text.find("day=10"), std::string::npos) << text;

    // A folder that does not exist cannot take the file.
    EXPECT_FALSE(iniWrite(app, folder + "missing\\x.ini", "update", "day", "1"));
}

TEST_F(SettingsWine, IniMissingFileSectionOrKeyReadsTheDefault) {
    const std::string file = folder + "none.ini";
    EXPECT_EQ(iniRead(app, file, "Dustvane", "language", "dflt"), "dflt");
    EXPECT_EQ(iniRead(app, file, "Dustvane", "language"), "");
    EXPECT_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);

    ASSERT_TRUE(iniWrite(app, file, "Dustvane", "language", "3"));
    EXPECT_EQ(iniRead(app, file, "Dustvane", "Filename", "English.lng"), "English.lng");
    EXPECT_EQ(iniRead(app, file, "Other", "language", "0"), "0");
}

TEST_F(SettingsWine, IniValuesLongerThanTheBufferAreCut) {
    const std::string ini = file("long.ini", "[s]\r\nk=" + std::string(20000, 'v') + "\r\n");
    std::string text = iniRead(app, ini, "s", "k");
    EXPECT_EQ(text, std::string(10239, 'v'));
}

}  // namespace
}  // namespace dv::winetest
