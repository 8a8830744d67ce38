#include "textforms/locale_code_pages.h"

#include <array>

namespace zorva {
namespace {

struct LocaleCodePages {
  std::string_view name;
  unsigned oem;
  unsigned ansi;
};

// Language, or language and territory, to the code pages of the Windows
// locale of that name. A territory entry overrides its language's.
constexpr std::array<LocaleCodePages, 64> kLocaleCodePages{{
    {"en", 437, 1252},    {"en_GB", 850, 1252}, {"en_AU", 850, 1252}, {"en_CA", 850, 1252},
    {"en_NZ", 850, 1252}, {"en_IE", 850, 1252}, {"es", 850, 1252},    {"ca", 850, 1252},
    {"eu", 850, 1252},    {"gl", 850, 1252},    {"fr", 850, 1252},    {"de", 850, 1252},
    {"it", 850, 1252},    {"pt", 850, 1252},    {"nl", 850, 1252},    {"da", 850, 1252},
    {"sv", 850, 1252},    {"fi", 850, 1252},    {"nb", 850, 1252},    {"nn", 850, 1252},
    {"no", 850, 1252},    {"is", 850, 1252},    {"fo", 850, 1252},    {"af", 850, 1252},
    {"id", 850, 1252},    {"ms", 850, 1252},    {"sw", 437, 1252},    {"pl", 852, 1250},
    {"cs", 852, 1250},    {"sk", 852, 1250},    {"hu", 852, 1250},    {"sl", 852, 1250},
    {"hr", 852, 1250},    {"ro", 852, 1250},    {"sq", 852, 1250},    {"bs", 852, 1250},
    {"sr", 852, 1250},    {"ru", 866, 1251},    {"uk", 866, 1251},    {"be", 866, 1251},
    {"bg", 866, 1251},    {"mk", 866, 1251},    {"kk", 866, 1251},    {"ky", 866, 1251},
    {"tt", 866, 1251},    {"mn", 866, 1251},    {"el", 737, 1253},    {"tr", 857, 1254},
    {"az", 857, 1254},    {"he", 862, 1255},    {"ar", 720, 1256},    {"fa", 720, 1256},
    {"lt", 775, 1257},    {"lv", 775, 1257},    {"et", 775, 1257},    {"th", 874, 874},
    {"ja", 932, 932},     {"zh", 936, 936},     {"zh_TW", 950, 950},  {"zh_HK", 950, 950},
    {"ko", 949, 949},     {"vi", 1258, 1258},   {"ga", 850, 1252},    {"cy", 850, 1252},
}};

constexpr LocaleCodePages kFallback{"", 437, 1252};

const LocaleCodePages* Find(std::string_view key) {
  for (const LocaleCodePages& entry : kLocaleCodePages)
    if (entry.name == key) return &entry;
  return nullptr;
}

const LocaleCodePages& CodePagesOfLocale(std::string_view localeName) {
  // language[_territory][.codeset][@modifier]
  const std::string_view base = localeName.substr(0, localeName.find_first_of(".@"));
  if (const LocaleCodePages* entry = Find(base)) return *entry;
  if (const LocaleCodePages* entry = Find(base.substr(0, base.find('_')))) return *entry;
  return kFallback;
}

}  // namespace

unsigned OemCodePageOfLocale(std::string_view localeName) { return CodePagesOfLocale(localeName).oem; }

unsigned AnsiCodePageOfLocale(std::string_view localeName) { return CodePagesOfLocale(localeName).ansi; }

}  // namespace zorva
