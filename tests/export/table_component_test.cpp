#include "export/table_component.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "export/dbase/engine_failure.h"
#include "export/dbase/table_files.h"
#include "export/dbase/table_names.h"
#include "support/table_bytes.h"
#include "textforms/failure_texts.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace zorva {
namespace {

namespace fs = std::filesystem;
using dbase::test_support::FailureOf;
using dbase::test_support::StatusOf;
using dbase::test_support::TableBytes;

std::uint16_t Code(EngineStatus status) { return static_cast<std::uint16_t>(status); }

// A folder of its own for each test, removed afterwards.
class TableFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() / (std::string("zorva-") + test->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
  }
  std::string Folder() const { return folder_.string(); }
  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

  // The host's SOLUC layout, in part, with two rows.
  std::string Soluc() const {
    return TableBytes(0x03, {{"ASIG", 'C', 4}, {"dia", 'N', 2}}, {" MAT  1", "*LEN  2", " EF   3"}, 0x02);
  }

  fs::path folder_;
};

std::string ReadRows(TwwTable& table, std::string_view field) {
  std::string seen;
  for (table.First(); !table.AtEnd(); table.Next()) seen += table.Column(field).text + ";";
  return seen;
}

TEST_F(TableFolder, FindsTheTableWhateverTheCaseOfItsName) {
  Write("soluc.dbf", Soluc());
  Write("Asig.dbf", Soluc());
  TwwTable soluc("wwTableSoluc", "SOLUC", TableType::DBase, Folder());
  soluc.Open();
  EXPECT_EQ(ReadRows(soluc, "asig"), "MAT;EF;");
  TwwTable asig("wwTableASIGT", "Asig.DBF", TableType::Default, Folder());
  asig.Open();
  EXPECT_EQ(ReadRows(asig, "ASIG"), "MAT;EF;");
}

TEST_F(TableFolder, MissingFolderOrTableFailsNamingThePath) {
  const struct {
    std::string folder, table, path;
    EngineStatus status;
  } cases[] = {
      {PathOf("ttemp"), "SOLUC", PathOf("ttemp"), EngineStatus::FolderNotFound},
      {Folder(), "PROF", PathOf("PROF.DBF"), EngineStatus::TableNotFound},
  };
  for (const auto& c : cases) {
    TwwTable table("wwTableSoluc", c.table, TableType::DBase, c.folder);
    const auto failure = FailureOf([&] { table.Open(); });
    ASSERT_TRUE(failure) << c.path;
    EXPECT_EQ(failure->status(), Code(c.status));
    EXPECT_EQ(failure->text(), EngineStatusText(Code(c.status)) + kLineEnd + c.path);
    EXPECT_FALSE(table.IsOpen());
  }
}

TEST_F(TableFolder, MissingFieldNamesTheComponentAndLeavesTheTableOpen) {
  Write("SOLUC.DBF", Soluc());
  TwwTable table("wwTableSoluc", "SOLUC", TableType::DBase, Folder());
  table.Open();
  table.First();
  try {
    table.Column("CODGRUPO");
    FAIL() << "read a field the table lacks";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.text(),
              "wwTableSoluc: " + ComposeFailureText(FailureText::FieldNotFound, {"CODGRUPO"}));
  }
  EXPECT_TRUE(table.IsOpen());
  EXPECT_EQ(table.Column("DIA").number, 1);
}

// The fields found on one row are remembered for the next: asked for in
// another order or letter case, and after the table is opened again in
// another folder with another layout, they must still give their own values.
TEST_F(TableFolder, FieldsAreFoundInAnyOrderAndAnewAfterReopening) {
  Write("SOLUC.DBF", Soluc());
  fs::create_directories(folder_ / "other");
  Write("other/SOLUC.DBF",
        TableBytes(0x03, {{"DIA", 'N', 2}, {"x", 'C', 1}, {"asig", 'C', 4}}, {"  7ZLEN"}, 0x02));
  TwwTable table("wwTableSoluc", "SOLUC", TableType::DBase, Folder());
  const auto texts = [&table](std::initializer_list<std::string_view> names) {
    std::string seen;
    for (std::string_view name : names) {
      const ColumnValue value = table.Column(name);
      seen += (value.kind == ColumnKind::Character ? value.text : std::to_string(int(value.number))) + ";";
    }
    return seen;
  };
  table.Open();
  table.First();
  EXPECT_EQ(texts({"ASIG", "DIA"}), "MAT;1;");
  table.Next();
  EXPECT_EQ(texts({"ASIG", "DIA"}), "EF;3;");
  EXPECT_EQ(texts({"DIA", "dia", "Asig", "ASIG", "DIA"}), "3;3;EF;EF;3;");
  table.Close();
  table.SetDatabaseName(PathOf("other"));
  table.Open();
  table.First();
  EXPECT_EQ(texts({"ASIG", "DIA", "X"}), "LEN;7;Z;");
}

TEST_F(TableFolder, OpenKeepsAnOpenTableAndCloseDropsIt) {
  Write("SOLUC.DBF", Soluc());
  TwwTable table("wwTableSoluc", "SOLUC", TableType::DBase, Folder());
  table.Open();
  table.First();
  table.Next();
  table.Open();
  EXPECT_EQ(table.Column("ASIG").text, "EF");
  table.SetDatabaseName(Folder());
  EXPECT_EQ(StatusOf([&] { table.SetDatabaseName(PathOf("other")); }), Code(EngineStatus::FolderOfOpenTable));
  table.Close();
  EXPECT_FALSE(table.IsOpen());
  EXPECT_EQ(StatusOf([&] { table.First(); }), Code(EngineStatus::TableClosed));
  table.SetDatabaseName(PathOf("other"));
  EXPECT_EQ(table.DatabaseName(), PathOf("other"));
}

// A table that a failed run left open is read as its file is when it goes to
// its first row again, not as the first open saw it.
TEST_F(TableFolder, FirstAgainReadsTheFileAsItIsNow) {
  const auto grup = [](std::vector<std::string> rows) {
    return TableBytes(0x03, {{"MAXALUM", 'C', 7}}, rows);
  };
  const auto failure = [this](EngineStatus status) {
    return EngineStatusText(Code(status)) + kLineEnd + PathOf("GRUP.DBF");
  };
  const std::string before = grup({" treinta", " 31"});
  const std::pair<std::optional<std::string>, std::string> cases[] = {
      // The file as it is now (none: removed), then the rows or the failure.
      {grup({" 30", " 31"}), "30;31;"},
      {grup({" treinta", " 31", " 32", " 33"}), "treinta;31;32;33;"},
      {TableBytes(0x03, {{"N", 'N', 2}, {"MAXALUM", 'C', 2}}, {"  130"}), "30;"},
      {before.substr(0, before.size() - 4), failure(EngineStatus::RecordsMissing)},
      {std::nullopt, failure(EngineStatus::TableNotFound)},
  };
  for (const auto& [now, expected] : cases) {
    Write("GRUP.DBF", before);
    TwwTable table("wwTableGrupos", "GRUP", TableType::DBase, Folder());
    table.Open();
    table.First();
    ASSERT_EQ(table.Column("MAXALUM").text, "treinta");
    if (now)
      Write("GRUP.DBF", *now);
    else
      fs::remove(folder_ / "GRUP.DBF");
    std::string rows;
    const auto raised = FailureOf([&] { rows = ReadRows(table, "MAXALUM"); });
    EXPECT_EQ(raised ? raised->text() : rows, expected);
  }
}

TEST_F(TableFolder, DefaultTypeIsFoxProBesideAnFptOrCdxFile) {
  const auto typeOf = [this](const std::string& name) {
    return dbase::ResolveTableType(Folder(), name, TableType::Default);
  };
  Write("Asig.DBF", Soluc());
  EXPECT_EQ(typeOf("Asig.DBF"), TableType::DBase);
  Write("asig.cdx", "");
  EXPECT_EQ(typeOf("Asig.DBF"), TableType::FoxPro);
  Write("NOMASG.DBF", Soluc());
  Write("NOMASG.FPT", "");
  EXPECT_EQ(typeOf("NOMASG.dbf"), TableType::FoxPro);
  EXPECT_EQ(typeOf("NOMASG.TAB"), TableType::DBase);
  EXPECT_EQ(dbase::ResolveTableType(Folder(), "Asig.DBF", TableType::DBase), TableType::DBase);
}

// The memo file is looked for in the folder of its table, a drive's root too.
TEST(TableNames, FolderOfATablePath) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"/t/AULA.DBF", "/t"},    {"/AULA.DBF", "/"},   {"c:\\ttemp\\SOLUC.DBF", "c:\\ttemp"},
      {"c:\\AULA.DBF", "c:\\"}, {"c:AULA.DBF", "c:"}, {"AULA.DBF", ""},
  };
  for (const auto& [path, folder] : cases) EXPECT_EQ(dbase::FolderOf(path), folder) << path;
}

TEST_F(TableFolder, LostMemoFileFailsOnlyWhenAMemoIsRead) {
  Write("AULA.DBF", TableBytes(0x83, {{"ABREV", 'C', 4}, {"NOTAS", 'M', 10}}, {" A1           1"}));
  TwwTable table("wwTableAulas", "AULA", TableType::DBase, Folder());
  table.Open();
  EXPECT_EQ(ReadRows(table, "ABREV"), "A1;");
  table.First();
  const auto failure = FailureOf([&] { table.Column("NOTAS"); });
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->text(),
            EngineStatusText(Code(EngineStatus::MemoNotFound)) + kLineEnd + PathOf("AULA.DBT"));
}

#ifdef _WIN32
// The host may hold its tables open for writing while the export reads them,
// and a table may be marked read-only.
TEST_F(TableFolder, OpensTablesTheHostHoldsOpenOrThatAreReadOnly) {
  Write("GRUP.DBF", Soluc());
  HANDLE host = ::CreateFileA(PathOf("GRUP.DBF").c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(host, INVALID_HANDLE_VALUE);
  TwwTable held("wwTableGrupos", "GRUP", TableType::DBase, Folder());
  held.Open();
  EXPECT_EQ(ReadRows(held, "ASIG"), "MAT;EF;");
  held.Close();
  ::CloseHandle(host);

  ::SetFileAttributesA(PathOf("GRUP.DBF").c_str(), FILE_ATTRIBUTE_READONLY);
  TwwTable readOnly("wwTableASIGT", "GRUP.DBF", TableType::Default, Folder());
  readOnly.Open();
  EXPECT_EQ(ReadRows(readOnly, "ASIG"), "MAT;EF;");
  readOnly.Close();
  ::SetFileAttributesA(PathOf("GRUP.DBF").c_str(), FILE_ATTRIBUTE_NORMAL);
}
#endif

}  // namespace
}  // namespace zorva
