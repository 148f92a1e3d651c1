// The program directory and the paths built in it.
#include "guarded.h"

#include "base/paths.h"

namespace {

// "C:\" + filler + "\": a directory text of exactly `length` characters.
std::string Dir(size_t length) { return "C:\\" + std::string(length - 4, 'd') + "\\"; }
std::u16string WideDir(size_t length, char16_t filler) { return u"C:\\" + std::u16string(length - 4, filler) + u"\\"; }

TEST(Paths, ProgramDirectoryKeepsTextUpToTheLastSeparator)
{
    const std::string exe = "Hoplette.exe", n255(255, 'n');
    // Code page 932: the second byte of ソ (83 5C), 表 (95 5C), 能 (94 5C), 十 (8F 5C) and 予 (97 5C) is a backslash.
    const std::string so = "\x83\x5C", hyo = "\x95\x5C", nou = "\x94\x5C", juu = "\x8F\x5C", yo = "\x97\x5C";
    const struct { std::string module, directory; } rows[] = {
        {"C:\\dir\\Hoplette.exe", "C:\\dir\\"}, {"Z:\\tmp\\x\\Hoplette.exe", "Z:\\tmp\\x\\"},
        {"C:Hoplette.exe", "C:"}, {"C:\\", "C:\\"}, {"a:b\\c", "a:b\\"}, {"a\\b:c", "a\\b:"},
        {exe, exe}, {"\\" + exe, "\\" + exe}, {":" + exe, ":" + exe}, {"\\\\", "\\\\"}, {"", ""},
        {Dir(248) + exe, Dir(248)}, {Dir(249) + exe, Dir(249)}, {Dir(250) + exe, Dir(250) + "?"},
        {Dir(254) + exe, Dir(254) + "?"}, {Dir(250), Dir(250) + "?"}, {Dir(255) + exe, ""},
        {Dir(300) + exe, ""},
        // Without a separator the text stays whole and unmarked, if it fits at all.
        {n255, n255}, {n255 + "n", ""}, {std::string(600, 'n'), ""},
        // A byte 5C inside a double-byte character is no separator.
        {"Z:\\tmp\\" + so + exe, "Z:\\tmp\\"}, {"C:\\" + hyo + "\\" + nou + juu + yo + exe, "C:\\" + hyo + "\\"},
        {"C:\\d\\" + so + so + so, "C:\\d\\"}, {so + exe, so + exe}, {so + "\\" + exe, so + "\\"},
        {"\x83:" + exe, "\x83:" + exe}, {"C:\\ab\x83", "C:\\"}, {"C:\\ab\x83\\", "C:\\"},
        {"\xE0\\\xFC\\\x80\\x", "\xE0\\\xFC\\\x80\\"}, {"\xA0\\\xDF\\x", "\xA0\\\xDF\\"},
        // A single-byte character that is not ASCII is one byte, whatever follows.
        {"C:\\\xB1\\x", "C:\\\xB1\\"}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        Guarded<PATH_SIZE> out;
        ProgramDirectoryFromModulePath(rows[i].module.c_str(), out.text, Cp932LeadByte);
        ASSERT_TRUE(out.Intact()) << "row " << i;
        EXPECT_EQ(std::string(out.text), rows[i].directory) << "row " << i;
        // The wide form gives the same for the same characters, when they are ASCII.
        if (rows[i].module.find_first_of("\x80\x83\x8F\x94\x95\x97\xA0\xB1\xDF\xE0\xFC") != std::string::npos)
            continue;
        Guarded<PATH_SIZE, WideUnit> wide;
        ProgramDirectoryFromModulePath(Widen(rows[i].module).c_str(), wide.text);
        ASSERT_TRUE(wide.Intact()) << "row " << i;
        EXPECT_TRUE(std::u16string(wide.text) == Widen(rows[i].directory)) << "row " << i;
    }
}

TEST(Paths, WideProgramDirectoryCountsUtf16Units)
{
    const std::u16string exe = u"Hoplette.exe", planet = u"\U0001FA90";  // 🪐: two units
    std::u16string planets123;
    for (int i = 0; i < 123; ++i)
        planets123 += planet;
    const struct { std::u16string module, directory; } rows[] = {
        {u"C:\\한글폴더\\Hoplette.exe", u"C:\\한글폴더\\"}, {u"C:\\" + planet + u"\\" + exe, u"C:\\" + planet + u"\\"},
        {u"Z:\\tmp\\ソ表能十予\\ソ" + exe, u"Z:\\tmp\\ソ表能十予\\"}, {u"C:\\x\\" + planet + planet, u"C:\\x\\"},
        {planet + u"\\" + exe, planet + u"\\"}, {u"\xFF3C\\x", u"\xFF3C\\"},  // a full-width backslash is a letter
        // 250 units mark the directory, however many characters they are.
        {WideDir(249, u'한') + exe, WideDir(249, u'한')}, {WideDir(250, u'한') + exe, WideDir(250, u'한') + u"?"},
        {u"C:\\" + planets123 + u"\\" + exe, u"C:\\" + planets123 + u"\\?"},
        {WideDir(255, u'한') + exe, u""}, {std::u16string(256, u'한'), u""}, {std::u16string(255, u'한'), std::u16string(255, u'한')},
        // 125 Japanese characters are 250 bytes in code page 932 but 125 units: usable here.
        {u"C:\\" + std::u16string(125, u'表') + u"\\" + exe, u"C:\\" + std::u16string(125, u'表') + u"\\"}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        Guarded<PATH_SIZE, WideUnit> out;
        ProgramDirectoryFromModulePath(rows[i].module.c_str(), out.text);
        ASSERT_TRUE(out.Intact()) << "row " << i;
        EXPECT_TRUE(std::u16string(out.text) == rows[i].directory) << "row " << i;
    }
}

TEST(Paths, JoinPathFitsOnlyBelow256Characters)
{
    const std::string a250(250, 'a'), b5(5, 'b');
    const struct { std::string directory, name; bool ok; } rows[] = {
        {"C:\\dir\\", "Hoplette.ini", true}, {"C:\\dir\\", "", true}, {"C:\\dir\\", "sub\\ding.wav", true},
        {a250, b5, true}, {b5, a250, true}, {a250 + "x", b5, false}, {b5, a250 + "x", false},
        {std::string(255, 'a'), "", true}, {std::string(256, 'a'), "", false},
        {"", "Hoplette.ini", false}, {"", "", false}, {std::string(300, 'a'), std::string(300, 'b'), false}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        Guarded<PATH_SIZE> out;
        EXPECT_EQ(JoinPath(rows[i].directory.c_str(), rows[i].name.c_str(), out.text), rows[i].ok) << "row " << i;
        ASSERT_TRUE(out.Intact()) << "row " << i;
        EXPECT_EQ(std::string(out.text), rows[i].ok ? rows[i].directory + rows[i].name : "") << "row " << i;
        // Wide: the same rule in UTF-16 units.
        Guarded<PATH_SIZE, WideUnit> wide;
        const std::u16string directory = Widen(rows[i].directory), name = Widen(rows[i].name);
        EXPECT_EQ(JoinPath(directory.c_str(), name.c_str(), wide.text), rows[i].ok) << "row " << i;
        ASSERT_TRUE(wide.Intact()) << "row " << i;
        EXPECT_TRUE(std::u16string(wide.text) == (rows[i].ok ? directory + name : u"")) << "row " << i;
    }
    Guarded<PATH_SIZE, WideUnit> korean;
    EXPECT_TRUE(JoinPath(u"C:\\한글폴더\\", u"Hoplette.ini", korean.text));
    EXPECT_TRUE(std::u16string(korean.text) == u"C:\\한글폴더\\Hoplette.ini");
}

TEST(Paths, WholeCharactersNeverSplitADoubleByteCharacter)
{
    const struct { std::string text; size_t limit, length; } rows[] = {
        {"12345", 5, 5}, {"123456", 5, 5}, {"", 5, 0}, {"abc", 0, 0}, {"\x83\x5C\x83\x5C\x83\x5C", 5, 4},
        {"\x83\x5C\x83\x5C\x83\x5C", 6, 6}, {"a\x83\x5C", 2, 1}, {"a\x83\x5C", 3, 3}, {"ab\x83", 3, 2},
        {"ab\x83", 2, 2}, {"ab\x83", 9, 2}, {"\xB1\xB2\xB3", 2, 2}, {"\xFC\x40x", 1, 0}, {"\xFD\x40x", 1, 1},
        {std::string(300, 'z'), 255, 255}, {std::string(300, '\x95'), 255, 254}};
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(WholeCharactersLength(rows[i].text.c_str(), rows[i].limit, Cp932LeadByte), rows[i].length) << "row " << i;
}

} // namespace
