#include "formats/IniFile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace orlamo;

namespace {
std::vector<std::string> Names(const IniDocument& document) {
    std::vector<std::string> names;
    for (const auto& section : document.Sections())
        names.push_back(section.Name);
    return names;
}

std::vector<std::pair<std::string, std::string>> Pairs(const IniSection& section) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const auto& entry : section.Entries)
        pairs.emplace_back(entry.Key, entry.Value);
    return pairs;
}
} // namespace

TEST(IniDocument, ReadsSectionsAndEntriesInFileOrder) {
    const auto document = IniDocument::Parse("stray=before any section\r\n"
                                             "[Zeta]\r\n"
                                             "2.b=two\r\n"
                                             "1.a=\r\n"
                                             "\r\n"
                                             "   \t \r\n"
                                             "[Alpha]\n"
                                             "k=v\n"
                                             "[Zeta]\r\n"
                                             "3.c=again\r\n"
                                             "last=no line end");
    EXPECT_EQ(Names(document), (std::vector<std::string>{"Zeta", "Alpha", "Zeta"}));
    using P = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(Pairs(document.Sections()[0]), (P{{"2.b", "two"}, {"1.a", ""}}));
    EXPECT_EQ(Pairs(document.Sections()[1]), (P{{"k", "v"}}));
    // A header met twice keeps both parts: nothing after the second one is lost.
    EXPECT_EQ(Pairs(document.Sections()[2]), (P{{"3.c", "again"}, {"last", "no line end"}}));
}

TEST(IniDocument, TrimsBlanksAndOnePairOfQuotes) {
    struct Case {
        const char* line;
        const char* key;
        const char* value;
    } cases[] = {
        {"k=v", "k", "v"},
        {"  k \t=  v w \t", "k", "v w"},
        {"k=a=b", "k", "a=b"},
        {"k = =x= ", "k", "=x="},
        {"k=\"quoted\"", "k", "quoted"},
        {"k= 'single' ", "k", "single"},
        {"k=\"\"", "k", ""},
        {"k=\"\"\"\"", "k", "\"\""},
        {"k=\" spaced \"", "k", " spaced "},
        {"k=\"mixed'", "k", "\"mixed'"},
        {"k=\"", "k", "\""},
        {"k=say \"hi\"", "k", "say \"hi\""},
        {"k=", "k", ""},
        {"=v", "", "v"},
        {"  no equals here ", "no equals here", ""},
        {"5.Descripition", "5.Descripition", ""},
        {"k=caf\xE9 \x80\x01", "k", "caf\xE9 \x80\x01"},
    };
    for (const auto& c : cases) {
        const auto document = IniDocument::Parse(std::string("[S]\r\n") + c.line + "\r\n");
        ASSERT_EQ(document.Sections().size(), 1u) << c.line;
        ASSERT_EQ(document.Sections()[0].Entries.size(), 1u) << c.line;
        EXPECT_EQ(document.Sections()[0].Entries[0].Key, c.key) << c.line;
        EXPECT_EQ(document.Sections()[0].Entries[0].Value, c.value) << c.line;
    }
}

TEST(IniDocument, SectionHeaders) {
    const auto document = IniDocument::Parse("[ ~Doors ]\n[]\n  [Class]  \n[a]b]\n[open\n");
    EXPECT_EQ(Names(document), (std::vector<std::string>{"~Doors", "", "Class", "a]b"}));
    // A "[" line without its "]" is an ordinary line of the section before it.
    ASSERT_EQ(document.Sections()[3].Entries.size(), 1u);
    EXPECT_EQ(document.Sections()[3].Entries[0].Key, "[open");
}

TEST(IniDocument, WritesLikeTheProfileService) {
    IniDocument document;
    document.WriteValue("Version", "VersionInfo", "V1");
    document.WriteValue("Class", "TotalClass", "2");
    document.WriteValue("Class", "1.Name", "Doors");
    document.WriteValue("~Doors", "1.FileName", "a.wav");
    document.WriteValue("~Doors", "1.Descripition", "");
    // Letter case does not tell keys or sections apart: these replace values where they stand.
    document.WriteValue("CLASS", "totalclass", "3");
    document.WriteValue("~doors", "1.FILENAME", "b=c.wav");
    // New keys go to the end of their section, new sections to the end of the file.
    document.WriteValue("Version", "Extra", "x");
    document.WriteValue("Tail", "k", "v");
    EXPECT_EQ(document.Serialize(), "[Version]\r\n"
                                    "VersionInfo=V1\r\n"
                                    "Extra=x\r\n"
                                    "[Class]\r\n"
                                    "TotalClass=3\r\n"
                                    "1.Name=Doors\r\n"
                                    "[~Doors]\r\n"
                                    "1.FileName=b=c.wav\r\n"
                                    "1.Descripition=\r\n"
                                    "[Tail]\r\n"
                                    "k=v\r\n");
}

TEST(IniDocument, WritingIntoAParsedDocumentReplacesTheFirstMatch) {
    auto document = IniDocument::Parse("[A]\r\nk=1\r\nK=2\r\n[a]\r\nk=3\r\n");
    document.WriteValue("a", "K", "new");
    EXPECT_EQ(document.Serialize(), "[A]\r\nk=new\r\nK=2\r\n[a]\r\nk=3\r\n");
}

TEST(IniDocument, ManyEntriesInOneSectionAllComeBack) {
    // Far beyond the 16384-byte key buffer and 2047-character values of the platform service.
    IniDocument written;
    const std::string longValue(5000, 'x');
    for (int j = 1; j <= 2000; ++j)
        written.WriteValue("~Big", std::to_string(j) + ".VoiceName", longValue + std::to_string(j));
    const auto read = IniDocument::Parse(written.Serialize());
    ASSERT_EQ(read.Sections().size(), 1u);
    const auto& entries = read.Sections()[0].Entries;
    ASSERT_EQ(entries.size(), 2000u);
    EXPECT_EQ(entries[1999].Key, "2000.VoiceName");
    EXPECT_EQ(entries[1999].Value, longValue + "2000");
}

TEST(ReadWholeFile, ReadsBytesUnchangedAndRefusesWhatCannotBeRead) {
    test::TempDir dir;
    std::string bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += static_cast<char>(i % 256);
    test::WriteBytes(dir / "data.ini", bytes);
    EXPECT_EQ(ReadWholeFile(dir / "data.ini"), bytes);

    test::WriteBytes(dir / "empty.ini", "");
    EXPECT_EQ(ReadWholeFile(dir / "empty.ini"), std::string());
    EXPECT_EQ(ReadWholeFile(dir / "missing.ini"), std::nullopt);
    std::filesystem::create_directory(dir / "folder.ini");
    EXPECT_EQ(ReadWholeFile(dir / "folder.ini"), std::nullopt);
}
