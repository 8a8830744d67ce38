#include "export/document/section_layout.h"

#include <algorithm>

namespace zorva {
namespace {

using enum Conversion;

// One attribute a line, as the document lists them.
// clang-format off
constexpr AttributeLayout kId{u"ID", {}, RowNumber};

constexpr std::array kAsig{
    kId,
    AttributeLayout{u"ASIG", "ASIG", Text},
    AttributeLayout{u"AULA", "AULA", Text},
    AttributeLayout{u"EDIFICIO", "EDIFICIO", Text},
    AttributeLayout{u"GRUP", "GRUP", Text},
    AttributeLayout{u"NALUM", "NALUM", Text},
    AttributeLayout{u"PROF", "PROF", Text},
    AttributeLayout{u"TIPO", "TIPO", Text},
    AttributeLayout{u"HORASEM", "NHORAS", Text},
};

constexpr std::array kNomAsg{
    kId,
    AttributeLayout{u"ABREV", "ABREV", Text},
    AttributeLayout{u"NOMBRE", "NOMBRE", Text},
    AttributeLayout{u"ACTIV", "ACTIV", Text},
};

constexpr std::array kProf{
    kId,
    AttributeLayout{u"ABREV", "ABREV", Text},
    AttributeLayout{u"NOMBRE", "NOMBRE", Text},
    AttributeLayout{u"DEPART", "DEPART", Text},
};

constexpr std::array kGrup{
    kId,
    AttributeLayout{u"ABREV", "ABREV", Text},
    AttributeLayout{u"CURSO", "CURSO", Text},
    AttributeLayout{u"GRUPO", "GRUPO", Text},
    AttributeLayout{u"MAXALUM", "MAXALUM", Integer},
    AttributeLayout{u"NIVEL", "NIVEL", Text},
    AttributeLayout{u"TURNO", "TURNO", Text},
    AttributeLayout{u"DESCRIP", "DESCRIP", Text},
};

constexpr std::array kAula{
    kId,
    AttributeLayout{u"ABREV", "ABREV", Text},
    AttributeLayout{u"NOMBRE", "NOMBRE", Text},
    AttributeLayout{u"EDIFICIO", "EDIFICIO", Text},
    AttributeLayout{u"MAXALUM", "MAXALUM", Integer},
};

constexpr std::array kSoluc{
    AttributeLayout{u"ASIG", "ASIG", Text},
    AttributeLayout{u"AULA", "AULA", Text},
    AttributeLayout{u"CODGRUPO", "CODGRUPO", Text},
    AttributeLayout{u"CURSO", "CURSO", Text},
    AttributeLayout{u"DIA", "DIA", Text},
    AttributeLayout{u"GRUPO", "GRUPO", Text},
    AttributeLayout{u"HORA", "HORA", Text},
    AttributeLayout{u"NIVEL", "NIVEL", Text},
    AttributeLayout{u"PROF", "PROF", Text},
    AttributeLayout{u"SESIONES", "SESIONES", Text},
    AttributeLayout{u"TAREA", "TAREA", Text},
    AttributeLayout{u"TURNO", "TURNO", Text},
};

// clang-format on

static_assert(std::max({kAsig.size(), kNomAsg.size(), kProf.size(), kGrup.size(), kAula.size(),
                        kSoluc.size()}) == kMaxAttributes);

}  // namespace

bool Numbered(const Section& section) {
  for (const AttributeLayout& attribute : section.attributes)
    if (attribute.conversion == RowNumber) return true;
  return false;
}

// Asig.DBF takes its type from its extension; SOLUC lies in the host's
// scratch folder.
const std::array<Section, kSectionCount> SectionLayout{{
    {u"ASIGT", u"ASIGF", "wwTableASIGT", "Asig.DBF", TableType::Default, TableFolder::Program, kAsig,
     u"/SERVICIO/ASIGT"},
    {u"NOMASIGT", u"NOMASIGF", "wwTableNomAsg", "NOMASG", TableType::DBase, TableFolder::Program, kNomAsg,
     u"/SERVICIO/NOMASIGT"},
    {u"PROFT", u"PROFF", "wwTableProfesor", "PROF", TableType::DBase, TableFolder::Program, kProf,
     u"/SERVICIO/PROFT"},
    {u"GRUPT", u"GRUPF", "wwTableGrupos", "GRUP", TableType::DBase, TableFolder::Program, kGrup,
     u"/SERVICIO/GRUPT"},
    {u"AULAT", u"AULAF", "wwTableAulas", "AULA", TableType::DBase, TableFolder::Program, kAula,
     u"/SERVICIO/AULAT"},
    {u"SOLUCT", u"SOLUCF", "wwTableSoluc", "SOLUC", TableType::DBase, TableFolder::Solution, kSoluc,
     u"/SERVICIO/SOLUCT"},
}};

}  // namespace zorva
