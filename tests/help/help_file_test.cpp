#include "help/help_file.h"

#include <gtest/gtest.h>

namespace zorva {
namespace {

TEST(HelpFileTest, ChmTestLooksAtTheLastDotOnlyAndIgnoresCase) {
  const struct {
    const char* name;
    bool chm;
  } cases[] = {
      {"NA.chm", true},
      {"NA.CHM", true},
      {"C:\\Programa\\na.Chm", true},
      {"ayuda.hlp", false},
      {"NA", false},
      {"", false},
      {"NA.chm.bak", false},
      {"C:\\ayuda.chm\\NA", false},  // the last "." is in the folder part
      {"NA.chmx", false},
      {".chm", true},
  };
  for (const auto& c : cases) EXPECT_EQ(IsChmFile(c.name), c.chm) << c.name;
}

TEST(HelpFileTest, BareNamesLieInTheProgramFolder) {
  const char* folder = "C:\\Tempovia\\";
  EXPECT_EQ(InProgramFolder("NA.chm", folder), "C:\\Tempovia\\NA.chm");
  EXPECT_EQ(InProgramFolder("D:\\otra\\NA.chm", folder), "D:\\otra\\NA.chm");
  EXPECT_EQ(InProgramFolder("ayuda\\NA.chm", folder), "ayuda\\NA.chm");
  EXPECT_EQ(InProgramFolder("D:NA.chm", folder), "D:NA.chm");
  EXPECT_EQ(InProgramFolder("", folder), "");
}

TEST(HelpFileTest, TopicsWithoutAPageExtensionGetTheDefaultOne) {
  const struct {
    const char* topic;
    const char* page;
  } cases[] = {
      {"principal", "principal.htm"},
      {"principal.htm", "principal.htm"},
      {"principal.HTM", "principal.HTM"},
      {"principal.Html", "principal.Html"},
      {"principal.txt", "principal.txt.htm"},
      {"v1.0/notas", "v1.0/notas.htm"},
      {"", ".htm"},
  };
  for (const auto& c : cases) EXPECT_EQ(TopicPage(c.topic, ".htm"), c.page) << c.topic;
}

TEST(HelpFileTest, KeywordEntriesLoseTheViewerNameAndTheBlanksAround) {
  const struct {
    const char* entry;
    const char* keyword;
  } cases[] = {
      {"KuvHtmlHelp:  tablas  ", "tablas"},
      {"KuvHtmlHelp: tablas", "tablas"},
      {": tablas", "tablas"},
      {"tablas", "tablas"},
      {" \t tablas de horario\r\n", "tablas de horario"},
      {"KuvHtmlHelp: hora: 10", "hora: 10"},
      {"KuvHtmlHelp:", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(KeywordOfEntry(c.entry), c.keyword) << c.entry;
}

}  // namespace
}  // namespace zorva
