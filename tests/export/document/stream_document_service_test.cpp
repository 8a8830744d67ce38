// The streaming document service, read back with libxml2 and validated
// against the document's schema.
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlschemas.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "export/document/document_service.h"
#include "export/document/section_rows.h"
#include "export/test_files.h"
#include "textforms/failure_texts.h"
#include "textforms/utf8.h"

namespace zorva {
namespace {

namespace fs = std::filesystem;
using test_support::FileNames;
using test_support::ReadFile;
using test_support::ScratchFolder;

// The tree as a reader sees it: one line per element, its attributes in
// their order, values in UTF-8.
std::string Tree(const xmlNode* node, int depth = 0) {
  std::string out;
  for (; node; node = node->next) {
    if (node->type != XML_ELEMENT_NODE) {
      out += std::string(depth * 2, ' ') + "(node of type " + std::to_string(node->type) + ")\n";
      continue;
    }
    out += std::string(depth * 2, ' ') + reinterpret_cast<const char*>(node->name);
    for (const xmlAttr* attribute = node->properties; attribute; attribute = attribute->next) {
      xmlChar* value = xmlNodeListGetString(node->doc, attribute->children, 1);
      out += std::string(" ") + reinterpret_cast<const char*>(attribute->name) + "=[" +
             (value ? reinterpret_cast<const char*>(value) : "") + "]";
      xmlFree(value);
    }
    out += "\n" + Tree(node->children, depth + 1);
  }
  return out;
}

class StreamDocumentServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = ScratchFolder("zorva-stream-");
    target_ = (folder_ / "horario.xml").string();
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Reads the saved file, validating it against the schema when it is an
  // export document; the tree below the document.
  std::string ReadBack(bool validate) {
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(xmlReadFile(target_.c_str(), nullptr, XML_PARSE_NONET),
                                                       xmlFreeDoc);
    if (!doc) return "(not well-formed)";
    if (validate) {
      xmlSchemaParserCtxtPtr parser = xmlSchemaNewParserCtxt(ZORVA_SCHEMA);
      xmlSchemaPtr schema = xmlSchemaParse(parser);
      xmlSchemaValidCtxtPtr check = xmlSchemaNewValidCtxt(schema);
      const int result = xmlSchemaValidateDoc(check, doc.get());
      xmlSchemaFreeValidCtxt(check);
      xmlSchemaFree(schema);
      xmlSchemaFreeParserCtxt(parser);
      if (result != 0) return "(not valid)";
    }
    return Tree(doc->children);
  }

  // Six sections whose rows have the attributes of `row`; PROFT holds that row.
  static void WriteSixSections(DocumentService& service, std::span<const Attribute> row) {
    const Attribute root[]{{u"autor", "TEMPOVIA"}, {u"fecha", "05/03/2007 9:07:03"}, {u"modulo", "HORARIOS"}};
    service.StartDocument(u"SERVICIO", root);
    const auto names = test_support::NamesOf(row);
    for (std::u16string_view section : {u"ASIGT", u"NOMASIGT", u"PROFT", u"GRUPT", u"AULAT", u"SOLUCT"}) {
      service.BeginSection({section, u"", u"PROFF", names});
      if (section == u"PROFT" && !row.empty()) service.AddRow(test_support::ValuesOf(row));
    }
  }

  // A document of one section with one row, saved.
  void WriteOneRow(std::span<const Attribute> row) {
    auto service = MakeDocumentService(target_);
    service->StartDocument(u"R", {});
    service->BeginSection({u"S", u"", u"F", test_support::NamesOf(row)});
    service->AddRow(test_support::ValuesOf(row));
    service->Save(Utf16FromUtf8(target_));
  }

  fs::path folder_;
  std::string target_;
};

std::u16string U(std::string_view utf8) { return Utf16FromUtf8(utf8); }

TEST_F(StreamDocumentServiceTest, ValuesComeBackUnchanged) {
  const Attribute row[]{{u"ID", std::int32_t{1}},
                        {u"ABREV", "Dpto. de \"Fisica\" & <Quimica> 'I'"},
                        {u"NOMBRE", "línea 1\r\nlínea 2\ttab\n\r fin "},
                        {u"DEPART", "€ 𝄞 ñ"}};
  auto service = MakeDocumentService(target_);
  WriteSixSections(*service, row);
  service->Save(U(target_));

  EXPECT_EQ(ReadBack(true),
            "SERVICIO autor=[TEMPOVIA] fecha=[05/03/2007 9:07:03] modulo=[HORARIOS]\n"
            "  ASIGT\n"
            "  NOMASIGT\n"
            "  PROFT\n"
            "    PROFF ID=[1] ABREV=[Dpto. de \"Fisica\" & <Quimica> 'I'] NOMBRE=[línea 1\r\nlínea "
            "2\ttab\n\r fin ] "
            "DEPART=[€ 𝄞 ñ]\n"
            "  GRUPT\n"
            "  AULAT\n"
            "  SOLUCT\n");
  EXPECT_TRUE(ReadFile(target_).starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SERVICIO "));
  EXPECT_EQ(FileNames(folder_), std::vector<std::string>{"horario.xml"});
}

TEST_F(StreamDocumentServiceTest, LongValuesComeBackWhole) {
  // Long enough to pass through the writer in several parts, with pairs of
  // surrogates and escapes at every offset; and one of plain ASCII.
  std::string memo, ascii;
  while (memo.size() < 100000) memo += "𝄞&ñ\r\n<\"x";
  while (ascii.size() < 100000) ascii += "a&b<c\"d\te";
  const std::string tail = "x" + memo;
  const Attribute row[]{{u"V", memo}, {u"W", tail}, {u"A", ascii}};
  WriteOneRow(row);
  std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(xmlReadFile(target_.c_str(), nullptr, 0), xmlFreeDoc);
  ASSERT_TRUE(doc);
  const xmlNode* row_element = xmlDocGetRootElement(doc.get())->children->children;
  for (const auto& [name, expected] : {std::pair{"V", memo}, std::pair{"W", tail}, std::pair{"A", ascii}}) {
    xmlChar* value = xmlGetProp(row_element, reinterpret_cast<const xmlChar*>(name));
    EXPECT_TRUE(value && reinterpret_cast<const char*>(value) == expected) << name;
    xmlFree(value);
  }
}

// Program text that is not UTF-8 comes out as replacement characters, and so
// do the characters that XML cannot carry.
TEST_F(StreamDocumentServiceTest, WhatXmlCannotCarryBecomesReplacementCharacters) {
  const std::string broken(
      "a\x80"
      "b\xC3",
      4);
  const std::string controls("\x01x\x1F\xEF\xBF\xBE", 6);  // U+FFFE at the end
  const Attribute row[]{{u"B", broken}, {u"C", controls}};
  WriteOneRow(row);
  EXPECT_EQ(ReadBack(false), "R\n  S\n    F B=[a\uFFFDb\uFFFD] C=[\uFFFDx\uFFFD\uFFFD]\n");
}

// Each section writes its own names, short ones and ones longer than the
// block in which the writer copies a prepared name, over many rows, so that
// rows end at every place in the writer's buffer.
TEST_F(StreamDocumentServiceTest, EachSectionWritesItsOwnNames) {
  auto service = MakeDocumentService(target_);
  service->StartDocument(u"R", {});
  const Attribute longNames[]{{u"UN_ATRIBUTO_DE_NOMBRE_LARGO", "a"}, {u"B", std::int32_t{2}}};
  service->BeginSection({u"S", u"", u"UNA_FILA_DE_NOMBRE_LARGO", test_support::NamesOf(longNames)});
  std::string expected = "R\n  S\n";
  for (int i = 0; i < 40000; ++i) {
    service->AddRow(test_support::ValuesOf(longNames));
    expected += "    UNA_FILA_DE_NOMBRE_LARGO UN_ATRIBUTO_DE_NOMBRE_LARGO=[a] B=[2]\n";
  }
  const Attribute shortNames[]{{u"C", "c"}, {u"D", ""}};
  service->BeginSection({u"T", u"", u"F", test_support::NamesOf(shortNames)});
  service->AddRow(test_support::ValuesOf(shortNames));
  service->Save(U(target_));
  EXPECT_EQ(ReadBack(false), expected + "  T\n    F C=[c] D=[]\n");
}

TEST_F(StreamDocumentServiceTest, IntegersAreDecimalDigitsAndEmptyTextsStay) {
  const Attribute row[]{{u"N", std::int32_t{-2147483647 - 1}}, {u"M", std::int32_t{0}}, {u"E", ""}};
  WriteOneRow(row);
  EXPECT_EQ(ReadBack(false), "R\n  S\n    F N=[-2147483648] M=[0] E=[]\n");
}

TEST_F(StreamDocumentServiceTest, AFailedWriteLeavesTheEarlierFileAndNothingElse) {
  { std::ofstream(target_) << "earlier"; }
  // Files may grow to 64 KiB only: the writer fails part way.
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 64 * 1024;
  sighandler_t previous = signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string text;
  try {
    auto service = MakeDocumentService(target_);
    const std::string filler(100, 'x');
    const Attribute row[]{{u"V", filler}};
    WriteSixSections(*service, row);
    for (int i = 0; i < 10000; ++i) service->AddRow(test_support::ValuesOf(row));
    service->Save(U(target_));
  } catch (const DocumentFailure& failure) {
    text = failure.text();
  }
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previous);
  EXPECT_EQ(text, "File too large" + (kLineEnd + target_));
  EXPECT_EQ(ReadFile(target_), "earlier");
  EXPECT_EQ(FileNames(folder_), std::vector<std::string>{"horario.xml"});
}

// While it lives, the file system looks like vfat or a CIFS share: no
// unnamed files, no permissions (vfat_like_file_system.cpp).
class VfatLike {
 public:
  explicit VfatLike(bool on) {
    if (on) setenv("ZORVA_VFAT_LIKE", "1", 1);
  }
  ~VfatLike() { unsetenv("ZORVA_VFAT_LIKE"); }
  VfatLike(const VfatLike&) = delete;
  VfatLike& operator=(const VfatLike&) = delete;
};

// Where the file system has no unnamed files the document is written under a
// hidden name, and permissions that it refuses do not stop the export.
// Either way a saved document replaces the earlier file, one dropped before
// the save leaves it, and nothing else is left beside it.
TEST_F(StreamDocumentServiceTest, OnEveryFileSystemTheTargetEndsAlone) {
  for (const bool vfatLike : {false, true}) {
    const VfatLike fileSystem(vfatLike);
    for (const bool save : {false, true}) {
      SCOPED_TRACE(std::string(vfatLike ? "vfat-like" : "unnamed files") + (save ? ", saved" : ", dropped"));
      { std::ofstream(target_) << "earlier"; }
      {
        auto service = MakeDocumentService(target_);
        WriteSixSections(*service, {});
        EXPECT_EQ(FileNames(folder_).size(), vfatLike ? 2u : 1u);
        if (save) service->Save(U(target_));
      }
      EXPECT_EQ(FileNames(folder_), std::vector<std::string>{"horario.xml"});
      EXPECT_EQ(ReadFile(target_).starts_with("<?xml"), save);
    }
  }
}

// The system's text, then the file that could not be written.
TEST_F(StreamDocumentServiceTest, AFailureNamesTheTarget) {
  fs::create_directory(folder_ / "carpeta");
  const std::pair<fs::path, int> cases[]{
      {folder_ / "falta" / "horario.xml", ENOENT},  // a folder that is not there
      {folder_ / "carpeta", EISDIR},                // a folder in the file's place
  };
  for (const bool vfatLike : {false, true}) {
    const VfatLike fileSystem(vfatLike);
    for (const auto& [target, error] : cases) {
      SCOPED_TRACE(target.string() + (vfatLike ? ", vfat-like" : ""));
      std::string text;
      try {
        auto service = MakeDocumentService(target.string());
        WriteSixSections(*service, {});
        service->Save(U(target.string()));
      } catch (const DocumentFailure& failure) {
        text = failure.text();
      }
      EXPECT_EQ(text, std::strerror(error) + (kLineEnd + target.string()));
      EXPECT_EQ(FileNames(folder_), std::vector<std::string>{"carpeta"});
    }
  }
}

TEST_F(StreamDocumentServiceTest, ReplacingAFileKeepsItsPermissions) {
  { std::ofstream(target_) << "earlier"; }
  fs::permissions(target_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  auto service = MakeDocumentService(target_);
  WriteSixSections(*service, {});
  service->Save(U(target_));
  EXPECT_EQ(fs::status(target_).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(ReadBack(true).substr(0, 8), "SERVICIO");
}

TEST_F(StreamDocumentServiceTest, ALinkIsFollowedToTheFileItNames) {
  { std::ofstream(folder_ / "real.xml") << "earlier"; }
  fs::create_symlink("real.xml", target_);
  auto service = MakeDocumentService(target_);
  WriteSixSections(*service, {});
  service->Save(U(target_));
  EXPECT_TRUE(fs::is_symlink(target_));
  EXPECT_EQ(ReadFile(folder_ / "real.xml").substr(0, 5), "<?xml");
}

}  // namespace
}  // namespace zorva
