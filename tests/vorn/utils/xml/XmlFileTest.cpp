#include "vorn/utils/xml/Xml.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "TestEnvironment.h"
#include "XmlTestSupport.h"
#include "vorn/utils/xml/XmlSelfTests.h"

using namespace vorn;
using testing_support::CScopedTempDir;
using testing_support::ReadFile;
using xml_test::CLogCapture;
using xml_test::CSample;
namespace fs = std::filesystem;

TEST(XmlFileTest, ObjectsSurviveAFileRoundTrip) {
    CScopedTempDir dir;
    CSample saved = xml_test::MakeSample();
    saved.text = " odd <text> & \"quotes\"\nover lines ";
    const std::string file = (dir.Path() / "sample.xml").string();
    ASSERT_TRUE(SaveObjectToXmlFile(saved, file, "Sample"));
    EXPECT_EQ(ReadFile(file), SaveObjectToXmlText(saved, "Sample"));
    EXPECT_EQ(ReadFile(file).rfind("<Sample label=\"hero\" level=\"7\" >\n  <integer>\n", 0), 0u);
    CSample loaded;
    ASSERT_TRUE(LoadObjectFromXmlFile(loaded, file));
    EXPECT_TRUE(loaded == saved);
    EXPECT_FALSE(fs::exists(file + ".tmp"));
}

TEST(XmlFileTest, SavingCreatesMissingFolders) {
    CScopedTempDir dir;
    CSample saved = xml_test::MakeSample();
    ASSERT_TRUE(SaveObjectToXmlFile(saved, "My Monsters/profile_stuff/hero.xml", "Sample"));
    CSample loaded;
    ASSERT_TRUE(LoadObjectFromXmlFile(loaded, "My Monsters/profile_stuff/hero.xml"));
    EXPECT_TRUE(loaded == saved);
}

TEST(XmlFileTest, AFailedSaveKeepsThePreviousFile) {
    CScopedTempDir dir;
    CSample first = xml_test::MakeSample();
    const std::string file = "monster.xml";
    ASSERT_TRUE(SaveObjectToXmlFile(first, file, "Sample"));
    const std::string before = ReadFile(file);

    CSample second;
    second.integer = 1;
    {
        // The temporary file cannot be made: a folder stands in its place.
        fs::create_directory(file + ".tmp");
        CLogCapture log;
        EXPECT_FALSE(SaveObjectToXmlFile(second, file, "Sample"));
        EXPECT_EQ(ReadFile(file), before);
        EXPECT_EQ(log.Errors(), 1) << log.All();
        EXPECT_EQ(log.Count(CLog::LEVEL_ERROR, "[ERROR] Xml could not save the file: monster.xml"),
                  1);
        fs::remove(file + ".tmp");
    }
    {
        // The target cannot be replaced: it is a non-empty folder.
        fs::create_directories("folder.xml/inside");
        CLogCapture log;
        EXPECT_FALSE(SaveObjectToXmlFile(second, "folder.xml", "Sample"));
        EXPECT_EQ(log.Errors(), 1) << log.All();
        EXPECT_FALSE(fs::exists("folder.xml.tmp"));
    }
    {
        // A folder on the path is a file.
        CLogCapture log;
        EXPECT_FALSE(SaveObjectToXmlFile(second, "monster.xml/sub.xml", "Sample"));
        EXPECT_EQ(ReadFile(file), before);
        EXPECT_EQ(log.Errors(), 1) << log.All();
    }
    // The next good save replaces the file whole.
    ASSERT_TRUE(SaveObjectToXmlFile(second, file, "Sample"));
    CSample loaded = xml_test::MakeSample();
    loaded.numbers.clear();
    loaded.words.clear();
    loaded.switches.clear();
    loaded.parts.clear();
    LoadObjectFromXmlFile(loaded, file);
    EXPECT_EQ(loaded.integer, 1);
    EXPECT_TRUE(loaded.parts.empty());
}

TEST(XmlFileTest, WindowsLineEndsAndBlankLinesRead) {
    CScopedTempDir dir;
    const std::string file =
        dir.WriteFile("crlf.xml",
                      "<Sample level=\"2\" >\r\n\r\n  <text>\r\n    two words\r\n  </text>\r\n"
                      "  <integer>\r\n  12\r\n  </integer>\r\n</Sample>\r\n");
    CSample sample;
    CLogCapture log;
    ASSERT_TRUE(LoadObjectFromXmlFile(sample, file));
    EXPECT_EQ(sample.level, 2);
    EXPECT_EQ(sample.text, "two words");
    EXPECT_EQ(sample.integer, 12);
    EXPECT_EQ(log.Count(CLog::LEVEL_WARNING, "malformed"), 0) << log.All();
}

TEST(XmlFileTest, SelfTestsPass) {
    EXPECT_EQ(selftests::CXmlTest(), 0);
    EXPECT_EQ(selftests::CAnyContainerTest(), 0);
}

// Every input that once made the reader fault is kept in this folder; each
// must now load, save and load again to the same text, as the fuzz target checks.
TEST(XmlFileTest, KeptFuzzInputsNoLongerFault) {
    const fs::path folder = fs::path(MONSTERS_SOURCE_DIR) / "tests/data/fuzz/xml";
    ASSERT_TRUE(fs::is_directory(folder)) << folder;
    int replayed = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        CSample sample;
        ASSERT_TRUE(sample.numbers.empty());
        LoadObjectFromXmlFile(sample, entry.path().string());
        const std::string once = SaveObjectToXmlText(sample, "S");
        CSample again;
        LoadObjectFromXmlText(again, once);
        EXPECT_EQ(SaveObjectToXmlText(again, "S"), once) << entry.path();
        ++replayed;
    }
    SUCCEED() << replayed << " inputs replayed";
}
