// What every document service of the platform does with the file it saves.
#include "export/document/document_service.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "export/com_apartment.h"
#include "export/document/section_rows.h"
#include "export/test_files.h"
#include "textforms/failure_texts.h"
#include "textforms/program_text.h"

namespace zorva {
namespace {

namespace fs = std::filesystem;
using test_support::FileNames;
using test_support::ReadFile;
using test_support::ScratchFolder;

TEST(DocumentFailureTextTest, TakesTheDescriptionElseTheSystemTextElseTheStatus) {
  struct Case {
    std::string description, systemText;
    std::uint32_t status;
    std::string expected;
  };
  const Case cases[]{
      {"Acceso denegado.\r\n", "ignored", 0x80070005, "Acceso denegado"},
      {"Falta el nodo ...  \t", "", 0x80004005, "Falta el nodo"},
      {" .\r\n", "Unspecified error\r\n", 0x80004005, "Unspecified error"},
      {"", "No space left on device", 28, "No space left on device"},
      {"", ". . .", 0x8000FFFF, "OLE error 8000FFFF"},
      {"", "", 0x1, "OLE error 00000001"},
      {"¿Qué?", "", 0, "¿Qué?"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DocumentFailureText(c.description, c.systemText, c.status), c.expected) << c.description;
}

class DocumentServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = ScratchFolder("zorva-service-");
    target_ = (folder_ / "horario.xml").string();
    std::ofstream(target_) << "earlier";
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Values are program text: markup, white space, a letter beyond ASCII and
  // control characters that XML cannot carry.
  static void Build(DocumentService& service) {
    const Attribute root[]{{u"autor", "TEMPOVIA"}};
    service.StartDocument(u"SERVICIO", root);
    const std::string nombre = ProgramTextFromUtf8("a & b < \"c\"\r\n\tñ");
    const std::string abrev("x\x01y\x1F", 4);
    const Attribute row[]{{u"ID", std::int32_t{1}}, {u"NOMBRE", nombre}, {u"ABREV", abrev}};
    service.BeginSection({u"ASIGT", u"/SERVICIO/ASIGT", u"ASIGF", test_support::NamesOf(row)});
    service.AddRow(test_support::ValuesOf(row));
    service.BeginSection({u"SOLUCT", u"/SERVICIO/SOLUCT", u"SOLUCF", {}});
  }

  ComApartment apartment_;
  fs::path folder_;
  std::string target_;
};

TEST_F(DocumentServiceTest, SavingReplacesTheEarlierFileWithTheWholeDocument) {
  auto service = MakeDocumentService(target_);
  Build(*service);
  EXPECT_EQ(ReadFile(target_), "earlier");
  service->Save(DocumentText(target_));
  const std::string text = ReadFile(target_);
  EXPECT_TRUE(text.starts_with("<?xml version=\"1.0\"")) << text;
  EXPECT_NE(text.find("<ASIGT><ASIGF ID=\"1\" NOMBRE=\"a &amp; b &lt; &quot;c&quot;&#13;&#10;&#9;\xC3\xB1\" "
                      "ABREV=\"x\xEF\xBF\xBDy\xEF\xBF\xBD\"/></ASIGT>"
                      "<SOLUCT/></SERVICIO>"),
            std::string::npos)
      << text;
  EXPECT_EQ(FileNames(folder_), std::vector<std::string>{"horario.xml"});
}

TEST_F(DocumentServiceTest, ADocumentDroppedBeforeItsSaveLeavesTheEarlierFileAndNothingElse) {
  {
    auto service = MakeDocumentService(target_);
    Build(*service);
  }
  EXPECT_EQ(ReadFile(target_), "earlier");
  EXPECT_EQ(FileNames(folder_), std::vector<std::string>{"horario.xml"});
}

// The system's text, then the file on a line of its own.
TEST_F(DocumentServiceTest, AFolderThatIsNotThereIsADocumentFailureNamingTheFile) {
  const std::string target = (folder_ / "falta" / "horario.xml").string();
  try {
    auto service = MakeDocumentService(target);
    Build(*service);
    service->Save(DocumentText(target));
    ADD_FAILURE() << "no failure";
  } catch (const DocumentFailure& failure) {
    EXPECT_EQ(failure.kind(), FailureKind::Document);
    EXPECT_TRUE(failure.text().ends_with(kLineEnd + target)) << failure.text();
    EXPECT_GT(failure.text().size(), target.size() + 2) << failure.text();
  }
  EXPECT_EQ(FileNames(folder_), std::vector<std::string>{"horario.xml"});
}

}  // namespace
}  // namespace zorva
