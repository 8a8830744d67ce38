// The regional settings are read again when the system announces that the
// user's settings changed (WM_SETTINGCHANGE, which is WM_WININICHANGE) or
// that the taskbar was made anew; the thread first takes the user's locale
// again. The announcement reaches the program's application window, shown or not.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/in_process_windows.h"
#include "textforms/regional_formats.h"
#include "ui/application_window.h"

namespace zorva::test_support {
namespace {

constexpr char kInternational[] = "Control Panel\\International";

std::optional<std::string> RegistryValue(const char* name) {
  char data[80] = {};
  DWORD size = sizeof data;
  if (RegGetValueA(HKEY_CURRENT_USER, kInternational, name, RRF_RT_REG_SZ, nullptr, data, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return std::string(data);
}

// An item of the user's regional settings changed for the scope, as the
// desktop's settings panel changes it; what was there comes back at the end.
class UserOverride {
 public:
  UserOverride(LCTYPE item, const char* registryName, const char* value)
      : item_(item), registryName_(registryName), registryBefore_(RegistryValue(registryName)) {
    char before[80] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, item, before, sizeof before);
    before_ = before;
    SetLocaleInfoA(LOCALE_USER_DEFAULT, item, value);
  }
  ~UserOverride() {
    SetLocaleInfoA(LOCALE_USER_DEFAULT, item_, before_.c_str());
    if (!registryBefore_) RegDeleteKeyValueA(HKEY_CURRENT_USER, kInternational, registryName_);
  }
  UserOverride(const UserOverride&) = delete;
  UserOverride& operator=(const UserOverride&) = delete;

 private:
  LCTYPE item_;
  const char* registryName_;
  std::optional<std::string> registryBefore_;
  std::string before_;
};

void Broadcast(UINT message, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(HWND_BROADCAST, message, 0, lParam, SMTO_ABORTIFHUNG, 5000, &result);
}

bool DecimalMarkBecomes(char mark) {
  return PumpUntil([mark] { return CurrentRegionalFormats().DecimalMark == mark; }, 5s);
}

TEST(SettingsChangeInProcess, TheAnnouncementLoadsTheUsersRegionalSettingsAgainUnderTheUsersLocale) {
  const ApplicationWindow applicationWindow;
  const LCID user = GetUserDefaultLCID();
  const LCID english = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
  ASSERT_EQ(PRIMARYLANGID(LANGIDFROMLCID(user)), LANG_SPANISH);
  const auto intl = reinterpret_cast<LPARAM>(L"intl");
  const struct {
    const char* what;
    UINT message;
    LPARAM lParam;
    LCID threadLocale;  // at the announcement
  } cases[] = {
      {"settings change", WM_SETTINGCHANGE, intl, user},
      {"settings change, the thread under another locale", WM_SETTINGCHANGE, intl, english},
      {"taskbar made anew", RegisterWindowMessageW(L"TaskbarCreated"), 0, english},
  };
  {
    const UserOverride decimal(LOCALE_SDECIMAL, "sDecimal", ";");
    EXPECT_EQ(RegistryValue("sDecimal"), ";") << "the user's override is kept in the registry";
    for (const auto& c : cases) {
      SCOPED_TRACE(c.what);
      // Settings read before the change: English ones, which have no user
      // override.
      SetThreadLocale(english);
      LoadRegionalFormats();
      ASSERT_EQ(CurrentRegionalFormats().DecimalMark, '.');

      SetThreadLocale(c.threadLocale);
      Broadcast(c.message, c.lParam);
      EXPECT_TRUE(DecimalMarkBecomes(';'));
      EXPECT_EQ(GetThreadLocale(), user);
    }
  }
  // The override gone again, the next announcement brings back the
  // locale's own mark.
  Broadcast(WM_SETTINGCHANGE, intl);
  EXPECT_TRUE(DecimalMarkBecomes(','));
  SetThreadLocale(user);
}

}  // namespace
}  // namespace zorva::test_support
