#include "textforms/oem_code_page.h"

#include <array>
#include <utility>

namespace zorva {
namespace {

// Language, or language and territory, to the OEM code page of the Windows
// locale of that name. A territory entry overrides its language's.
constexpr std::array<std::pair<std::string_view, unsigned>, 64> kOemCodePages{{
    {"en", 437},    {"en_GB", 850}, {"en_AU", 850}, {"en_CA", 850}, {"en_NZ", 850}, {"en_IE", 850},
    {"es", 850},    {"ca", 850},    {"eu", 850},    {"gl", 850},    {"fr", 850},    {"de", 850},
    {"it", 850},    {"pt", 850},    {"nl", 850},    {"da", 850},    {"sv", 850},    {"fi", 850},
    {"nb", 850},    {"nn", 850},    {"no", 850},    {"is", 850},    {"fo", 850},    {"af", 850},
    {"id", 850},    {"ms", 850},    {"sw", 437},    {"pl", 852},    {"cs", 852},    {"sk", 852},
    {"hu", 852},    {"sl", 852},    {"hr", 852},    {"ro", 852},    {"sq", 852},    {"bs", 852},
    {"sr", 852},    {"ru", 866},    {"uk", 866},    {"be", 866},    {"bg", 866},    {"mk", 866},
    {"kk", 866},    {"ky", 866},    {"tt", 866},    {"mn", 866},    {"el", 737},    {"tr", 857},
    {"az", 857},    {"he", 862},    {"ar", 720},    {"fa", 720},    {"lt", 775},    {"lv", 775},
    {"et", 775},    {"th", 874},    {"ja", 932},    {"zh", 936},    {"zh_TW", 950}, {"zh_HK", 950},
    {"ko", 949},    {"vi", 1258},   {"ga", 850},    {"cy", 850},
}};

constexpr unsigned kFallback = 437;

unsigned Find(std::string_view key) {
  for (const auto& [name, codePage] : kOemCodePages)
    if (name == key) return codePage;
  return 0;
}

}  // namespace

unsigned OemCodePageOfLocale(std::string_view localeName) {
  // language[_territory][.codeset][@modifier]
  const std::string_view base = localeName.substr(0, localeName.find_first_of(".@"));
  if (const unsigned codePage = Find(base)) return codePage;
  if (const unsigned codePage = Find(base.substr(0, base.find('_')))) return codePage;
  return kFallback;
}

}  // namespace zorva
