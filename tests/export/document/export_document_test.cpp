#include "export/document/export_document.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/fake_row.h"
#include "textforms/column_text.h"
#include "textforms/program_text.h"
#include "textforms/utf8.h"

namespace zorva {
namespace {

using test_support::FakeRow;
using test_support::FloatColumn;
using test_support::NullColumn;
using test_support::RowFor;
using test_support::TextColumn;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// Each call of the service as one line: texts in quotes, integers bare.
class RecordingService : public DocumentService {
 public:
  explicit RecordingService(std::vector<std::string>& log) : log_(log) {}

  void StartDocument(std::u16string_view root, std::span<const Attribute> attributes) override {
    log_.push_back("start " + Line(root, attributes));
  }
  void BeginSection(const SectionNames& section) override {
    log_.push_back("section " + Utf8(section.name) + " " + Utf8(section.path));
    rowName_ = section.rowName;
    attributeNames_.assign(section.attributeNames.begin(), section.attributeNames.end());
  }
  void AddRow(std::span<const AttributeValue> values) override {
    std::vector<Attribute> row;
    for (std::size_t i = 0; i < values.size(); ++i) row.push_back({attributeNames_.at(i), values[i]});
    log_.push_back("row " + Line(rowName_, row));
  }
  void Save(std::u16string_view fileName) override { log_.push_back("save " + Utf8(fileName)); }

 private:
  static std::string Utf8(std::u16string_view text) { return Utf8FromUtf16(text); }

  static std::string Line(std::u16string_view name, std::span<const Attribute> attributes) {
    std::string line = Utf8(name);
    for (const Attribute& attribute : attributes) {
      line += " " + Utf8(attribute.name) + "=";
      if (const auto* text = std::get_if<std::string_view>(&attribute.value))
        line += "\"" + Utf8(DocumentText(*text)) + "\"";
      else
        line += std::to_string(std::get<std::int32_t>(attribute.value));
    }
    return line;
  }

  std::vector<std::string>& log_;
  std::u16string rowName_;
  std::vector<std::u16string> attributeNames_;
};

// The moments a clock gives, one per reading.
LocalClock Readings(std::vector<DateTime> moments) {
  return [moments, next = std::size_t{0}]() mutable { return moments.at(next++); };
}

// Program text from our UTF-8 literals.
std::string P(std::string_view utf8) { return ProgramTextFromUtf8(utf8); }

const DateTime kMorning{2007, 3, 5, 9, 7, 3, 0};

class ExportDocumentTest : public ::testing::Test {
 protected:
  ExportDocument MakeDocument(LocalClock clock = Readings({kMorning, kMorning})) {
    return ExportDocument(
        [this] {
          ++servicesMade_;
          log_.clear();
          return std::make_unique<RecordingService>(log_);
        },
        formats_, std::move(clock));
  }

  const Section& section(std::u16string_view name) {
    for (const Section& s : SectionLayout)
      if (s.name == name) return s;
    throw std::invalid_argument("no such section");
  }

  RegionalFormats formats_;
  std::vector<std::string> log_;
  int servicesMade_ = 0;
};

TEST_F(ExportDocumentTest, BuildsTheSixSectionsInOrderNumberingRowsFromOneInEach) {
  ExportDocument document = MakeDocument();
  document.StartDocument();
  const std::vector<std::string_view> asig{"ASIG",  "AULA", "EDIFICIO", "GRUP",
                                           "NALUM", "PROF", "TIPO",     "NHORAS"};
  const std::vector<std::string_view> nomasg{"ABREV", "NOMBRE", "ACTIV"};
  const std::vector<std::string_view> prof{"ABREV", "NOMBRE", "DEPART"};
  const std::vector<std::string_view> soluc{"ASIG", "AULA",  "CODGRUPO", "CURSO",    "DIA",   "GRUPO",
                                            "HORA", "NIVEL", "PROF",     "SESIONES", "TAREA", "TURNO"};
  const std::vector<std::string_view> grup{"ABREV", "CURSO", "GRUPO", "NIVEL", "TURNO", "DESCRIP"};
  const std::vector<std::string_view> aula{"ABREV", "NOMBRE", "EDIFICIO"};

  document.BeginSection(SectionLayout[0]);
  document.AddRow(SectionLayout[0], RowFor("wwTableASIGT", asig));
  document.AddRow(SectionLayout[0], RowFor("wwTableASIGT", asig));
  document.BeginSection(SectionLayout[1]);
  document.BeginSection(SectionLayout[2]);
  document.AddRow(SectionLayout[2], RowFor("wwTableProfesor", prof));
  document.BeginSection(SectionLayout[3]);
  document.AddRow(SectionLayout[3], RowFor("wwTableGrupos", grup, {FloatColumn("MAXALUM", 30)}));
  document.BeginSection(SectionLayout[4]);
  document.AddRow(SectionLayout[4], RowFor("wwTableAulas", aula, {FloatColumn("MAXALUM", 25)}));
  document.AddRow(SectionLayout[4], RowFor("wwTableAulas", aula, {FloatColumn("MAXALUM", 12)}));
  document.BeginSection(SectionLayout[5]);
  document.AddRow(SectionLayout[5], RowFor("wwTableSoluc", soluc));
  document.SaveDocument(P("/datos/horario.xml"));

  const std::string asigRow =
      R"( ASIG="asig" AULA="aula" EDIFICIO="edificio" GRUP="grup" NALUM="nalum" PROF="prof" TIPO="tipo" HORASEM="nhoras")";
  EXPECT_THAT(
      log_,
      ElementsAreArray({
          std::string(R"(start SERVICIO autor="TEMPOVIA" fecha="3/5/07 9:07:03 am" modulo="HORARIOS")"),
          std::string("section ASIGT /SERVICIO/ASIGT"),
          "row ASIGF ID=1" + asigRow,
          "row ASIGF ID=2" + asigRow,
          std::string("section NOMASIGT /SERVICIO/NOMASIGT"),
          std::string("section PROFT /SERVICIO/PROFT"),
          std::string(R"(row PROFF ID=1 ABREV="abrev" NOMBRE="nombre" DEPART="depart")"),
          std::string("section GRUPT /SERVICIO/GRUPT"),
          std::string(
              R"(row GRUPF ID=1 ABREV="abrev" CURSO="curso" GRUPO="grupo" MAXALUM=30 NIVEL="nivel" TURNO="turno" DESCRIP="descrip")"),
          std::string("section AULAT /SERVICIO/AULAT"),
          std::string(R"(row AULAF ID=1 ABREV="abrev" NOMBRE="nombre" EDIFICIO="edificio" MAXALUM=25)"),
          std::string(R"(row AULAF ID=2 ABREV="abrev" NOMBRE="nombre" EDIFICIO="edificio" MAXALUM=12)"),
          std::string("section SOLUCT /SERVICIO/SOLUCT"),
          std::string(
              R"(row SOLUCF ASIG="asig" AULA="aula" CODGRUPO="codgrupo" CURSO="curso" DIA="dia" GRUPO="grupo" HORA="hora" NIVEL="nivel" PROF="prof" SESIONES="sesiones" TAREA="tarea" TURNO="turno")"),
          std::string("save /datos/horario.xml"),
      }));
}

TEST_F(ExportDocumentTest, FechaIsTheDateOfTheFirstReadingAndTheTimeOfTheSecond) {
  formats_.ShortDatePicture = "dd/mm/yyyy";
  formats_.LongTimePicture = "h:mm:ss";
  // Midnight passes between the two readings.
  ExportDocument document = MakeDocument(Readings({{2007, 3, 5, 23, 59, 59, 999}, {2007, 3, 6, 0, 0, 0, 0}}));
  document.StartDocument();
  EXPECT_THAT(log_,
              ElementsAre(R"(start SERVICIO autor="TEMPOVIA" fecha="05/03/2007 0:00:00" modulo="HORARIOS")"));
}

TEST_F(ExportDocumentTest, ColumnsBecomeTextsAndMaxalumAnInteger) {
  formats_.DecimalMark = ',';
  const Section& aulas = section(u"AULAT");
  struct Case {
    ColumnValue nombre;
    ColumnValue maxalum;
    std::string nombreText;  // UTF-8
    std::string maxalumText;
  };
  const Case cases[]{
      {TextColumn("NOMBRE", "Laboratorio"), FloatColumn("MAXALUM", 30.5), "Laboratorio", "30"},
      {TextColumn("NOMBRE", P("Año & <más> \"x\"")), FloatColumn("MAXALUM", 31.5), "Año & <más> \"x\"", "32"},
      {NullColumn("NOMBRE", ColumnKind::Character), NullColumn("MAXALUM", ColumnKind::Float), "", "0"},
      {FloatColumn("NOMBRE", 2.5), TextColumn("MAXALUM", " 40"), "2,5", "40"},
      {TextColumn("NOMBRE", P("línea 1\r\nlínea\t2")), FloatColumn("MAXALUM", -2.5), "línea 1\r\nlínea\t2",
       "-2"},
  };
  for (const Case& c : cases) {
    ExportDocument document = MakeDocument();
    document.StartDocument();
    document.BeginSection(aulas);
    document.AddRow(aulas, FakeRow("wwTableAulas", {TextColumn("ABREV", "A1"), c.nombre,
                                                    TextColumn("EDIFICIO", "B"), c.maxalum}));
    EXPECT_EQ(log_.back(), "row AULAF ID=1 ABREV=\"A1\" NOMBRE=\"" + c.nombreText +
                               "\" EDIFICIO=\"B\" MAXALUM=" + c.maxalumText);
  }
}

// Columns are found by name in a source's first row and taken from the same
// places after it: rows from another source, whose columns lie elsewhere, and
// the rows after the next BeginSection find theirs anew.
TEST_F(ExportDocumentTest, EachRowSourceIsReadByItsOwnColumns) {
  const Section& aulas = section(u"AULAT");
  const FakeRow first("wwTableAulas", {TextColumn("ABREV", "A1"), TextColumn("NOMBRE", "Uno"),
                                       TextColumn("EDIFICIO", "B"), FloatColumn("MAXALUM", 30)});
  const FakeRow other("wwTableAulas", {FloatColumn("maxalum", 12), TextColumn("edificio", "C"),
                                       TextColumn("nombre", "Dos"), TextColumn("abrev", "A2")});
  ExportDocument document = MakeDocument();
  document.StartDocument();
  document.BeginSection(aulas);
  document.AddRow(aulas, first);
  document.AddRow(aulas, other);
  document.AddRow(aulas, first);
  document.BeginSection(aulas);
  document.AddRow(aulas, other);
  const std::vector<std::string> rows(log_.end() - 5, log_.end());
  EXPECT_THAT(rows, ElementsAre(R"(row AULAF ID=1 ABREV="A1" NOMBRE="Uno" EDIFICIO="B" MAXALUM=30)",
                                R"(row AULAF ID=2 ABREV="A2" NOMBRE="Dos" EDIFICIO="C" MAXALUM=12)",
                                R"(row AULAF ID=3 ABREV="A1" NOMBRE="Uno" EDIFICIO="B" MAXALUM=30)",
                                "section AULAT /SERVICIO/AULAT",
                                R"(row AULAF ID=1 ABREV="A2" NOMBRE="Dos" EDIFICIO="C" MAXALUM=12)"));
}

TEST_F(ExportDocumentTest, FailuresOfTheRowPassUnchanged) {
  const Section& grup = section(u"GRUPT");
  ExportDocument document = MakeDocument();
  document.StartDocument();
  document.BeginSection(grup);
  struct Case {
    FakeRow row;
    std::string text;
  };
  const Case cases[]{
      {FakeRow("wwTableGrupos", {TextColumn("ABREV", "1A")}),
       "wwTableGrupos: No se encuentra el campo 'CURSO'"},
      {RowFor("wwTableGrupos", {"ABREV", "CURSO", "GRUPO"}, {TextColumn("MAXALUM", "treinta")}),
       "'treinta' no es un valor entero válido"},
  };
  for (const Case& c : cases) {
    try {
      document.AddRow(grup, c.row);
      ADD_FAILURE() << "no failure for " << c.text;
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.text(), ProgramTextFromUtf8(c.text));
    }
  }
}

TEST_F(ExportDocumentTest, EachStartBuildsANewDocumentWithANewDate) {
  ExportDocument document =
      MakeDocument(Readings({kMorning, kMorning, {2007, 3, 5, 14, 0, 0, 0}, {2007, 3, 5, 14, 0, 1, 0}}));
  document.StartDocument();
  document.BeginSection(SectionLayout[0]);
  document.StartDocument();
  EXPECT_EQ(servicesMade_, 2);
  EXPECT_THAT(log_,
              ElementsAre(R"(start SERVICIO autor="TEMPOVIA" fecha="3/5/07 2:00:01 pm" modulo="HORARIOS")"));
}

}  // namespace
}  // namespace zorva
