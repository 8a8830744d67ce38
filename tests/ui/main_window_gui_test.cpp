// The main window as a person sees and works it, under Wine at 96 dpi.
#include <gtest/gtest.h>

#include "support/driver.h"
#include "support/running_program.h"

namespace zorva::driver {
namespace {

RECT At(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

::testing::AssertionResult SameRect(const RECT& a, const RECT& b) {
  if (EqualRect(&a, &b)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << a.left << "," << a.top << "," << a.right << "," << a.bottom << " vs " << b.left << "," << b.top
         << "," << b.right << "," << b.bottom;
}

TEST(MainWindow, TheClientAreaAndEveryControlSitWhereTheDesignPutsThem) {
  RunningProgram w;
  ASSERT_TRUE(w.window);
  RECT client;
  GetClientRect(w.window, &client);
  EXPECT_TRUE(SameRect(client, At(0, 0, 632, 266)));
  EXPECT_EQ(Text(w.window), L"Exportar datos horarios a ZORVA (Dadozuz)");

  std::vector<RECT> panelRects;
  for (HWND child : Children(w.window))
    if (GetParent(child) == w.window) panelRects.push_back(RectInClient(child, w.window));
  ASSERT_EQ(panelRects.size(), 2u);
  const RECT upper = At(16, 0, 601, 169);
  const RECT lower = At(0, 168, 633, 97);
  EXPECT_TRUE(SameRect(panelRects[0], upper) || SameRect(panelRects[1], upper));
  EXPECT_TRUE(SameRect(panelRects[0], lower) || SameRect(panelRects[1], lower));

  EXPECT_TRUE(SameRect(RectInClient(w.Button(L"Aceptar"), w.window), At(256, 120, 89, 25)));
  EXPECT_TRUE(SameRect(RectInClient(w.Button(L"&Salir"), w.window), At(256, 200, 89, 25)));
  EXPECT_TRUE(SameRect(RectInClient(w.Button(L"F1 AYUDA"), w.window), At(265, 235, 75, 18)));
}

TEST(MainWindow, TheGradientRowsAndTheBevelCornersHaveTheirColours) {
  RunningProgram w;
  BringToFront(w.window);
  const RECT client = ClientRectOnScreen(w.window);
  const auto pixel = [&](int x, int y) { return ScreenPixel(client.left + x, client.top + y); };
  const struct {
    int x, y;
    COLORREF colour;
  } rows[] = {
      // Draw3D3, at window column 36, rows from its top (window row 0).
      {36, 42, RGB(0xFF, 0xF7, 0xEE)},
      {36, 83, RGB(0xFF, 0xFF, 0xFF)},
      {36, 84, RGB(0xFF, 0xFF, 0xFF)},
      {36, 126, RGB(0xFC, 0xE9, 0xBE)},
      {36, 167, RGB(0xF9, 0xD4, 0x7F)},
      // Draw3D1, at window column 500, rows from its top (window row 168).
      {500, 168 + 24, RGB(0xCE, 0xE5, 0xF2)},
      {500, 168 + 47, RGB(0xCF, 0xF2, 0xFE)},
      {500, 168 + 48, RGB(0xCF, 0xF2, 0xFE)},
      {500, 168 + 72, RGB(0xC9, 0xE0, 0xFE)},
      {500, 168 + 95, RGB(0xC2, 0xCE, 0xFE)},
      // Draw3D3's bevel: top-left in highlight, top-right and bottom-left in shadow.
      {16, 0, GetSysColor(COLOR_BTNHIGHLIGHT)},
      {616, 0, GetSysColor(COLOR_BTNSHADOW)},
      {16, 168, GetSysColor(COLOR_BTNSHADOW)},
      // Draw3D1's bevel where the other panel leaves it visible.
      {0, 168, GetSysColor(COLOR_BTNHIGHLIGHT)},
      {0, 264, GetSysColor(COLOR_BTNSHADOW)},
  };
  for (const auto& row : rows) EXPECT_EQ(pixel(row.x, row.y), row.colour) << row.x << "," << row.y;
}

TEST(MainWindow, TheFocusStartsOnSalirAndTabRunsAcrossThePanels) {
  RunningProgram w;
  const HWND salir = w.Button(L"&Salir");
  const HWND ayuda = w.Button(L"F1 AYUDA");
  const HWND aceptar = w.Button(L"Aceptar");
  BringToFront(w.window);
  EXPECT_TRUE(WaitUntil([&] { return w.Focus() == salir; }, 5s));
  for (HWND next : {ayuda, aceptar, salir}) {
    PressKey(w.window, VK_TAB);
    EXPECT_EQ(w.Focus(), next);
  }
  for (HWND previous : {aceptar, ayuda, salir}) {
    PressKey(w.window, VK_TAB, kShift);
    EXPECT_EQ(w.Focus(), previous);
  }
  // The arrows stay within a panel.
  const struct {
    WORD key;
    HWND from, to;
  } arrows[] = {{VK_RIGHT, salir, ayuda},
                {VK_DOWN, ayuda, salir},
                {VK_LEFT, salir, ayuda},
                {VK_UP, ayuda, salir},
                {VK_RIGHT, aceptar, aceptar}};
  for (const auto& arrow : arrows) {
    // Three buttons: at most three presses of Tab reach any of them.
    for (int presses = 0; presses < 3 && w.Focus() != arrow.from; ++presses) {
      PressKey(w.window, VK_TAB);
      WaitUntil([&] { return w.Focus() == arrow.from; }, 2s);
    }
    ASSERT_EQ(w.Focus(), arrow.from) << "Tab never reached the button";
    PressKey(w.window, arrow.key);
    EXPECT_EQ(w.Focus(), arrow.to) << arrow.key;
  }
  PressKey(w.window, VK_ESCAPE);
  EXPECT_TRUE(w.process().Running()) << "Esc does nothing";
  EXPECT_EQ(w.Focus(), aceptar);
}

TEST(MainWindow, EnterOrSpaceRightAfterStartPressesSalir) {
  for (WORD key : {WORD{VK_RETURN}, WORD{VK_SPACE}}) {
    RunningProgram w;
    BringToFront(w.window);
    WaitUntil([&] { return w.Focus() == w.Button(L"&Salir"); }, 5s);
    PressKey(w.window, key);
    EXPECT_EQ(w.process().WaitForExit(), 0u) << key;
  }
}

TEST(MainWindow, TheLetterSPressesSalirWithOrWithoutAlt) {
  for (unsigned modifiers : {unsigned{kNone}, unsigned{kAlt}}) {
    RunningProgram w;
    BringToFront(w.window);
    PressKey(w.window, VK_TAB);  // away from Salir: the key, not the focus, presses it
    PressKey(w.window, 'S', modifiers);
    EXPECT_EQ(w.process().WaitForExit(), 0u) << modifiers;
  }
}

TEST(MainWindow, AfterACompletedExportTheFocusIsOnSalirAndTabSkipsAceptar) {
  RunningProgram w;
  w.folder.AddDemoTables();
  const HWND salir = w.Button(L"&Salir");
  const HWND ayuda = w.Button(L"F1 AYUDA");
  const HWND aceptar = w.Button(L"Aceptar");
  BringToFront(w.window);
  PressKey(w.window, VK_TAB, kShift);
  ASSERT_EQ(w.Focus(), aceptar);
  PressKey(w.window, VK_RETURN);
  const HWND dialog = WaitForSaveDialog(w.process().id());
  ASSERT_TRUE(dialog);
  ConfirmSaveDialog(dialog, w.folder.File(L"horario.xml"));
  const auto notice = WaitForNotice(w.process().id(), 60s);
  ASSERT_TRUE(notice);
  PressKey(notice->window, VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return w.Focus() == salir; }, 5s));
  EXPECT_FALSE(IsWindowVisible(aceptar));
  for (HWND next : {ayuda, salir, ayuda}) {
    PressKey(w.window, VK_TAB);
    EXPECT_EQ(w.Focus(), next);
  }
}

TEST(MainWindow, OnAScreenSmallerThanTheWindowItsCornerIsAtTheTopLeft) {
  const struct {
    const wchar_t* desktop;
    bool hosted;
  } cases[] = {{L"zorva-small", false}, {L"zorva-small-host", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hosted);
    ProgramFolder folder;
    std::vector<std::wstring> command{std::wstring(L"/desktop=") + c.desktop + L",500x200"};
    if (c.hosted) command.push_back(L"\"" + WindowsPath(Environment("ZORVA_FAKE_HOST")) + L"\"");
    command.push_back(L"\"" + folder.program() + L"\"");
    if (c.hosted) command.push_back(L"mirar");
    const Process desktop(L"C:\\windows\\explorer.exe", command, folder.path());

    HWND window = nullptr;
    HWND host = nullptr;
    const bool shown = WaitUntil([&] {
      if (c.hosted) {
        for (HWND candidate : DesktopWindows(c.desktop, L"ZorvaFakeHost")) host = candidate;
        window = host ? FindChild(host, L"TMForm", L"") : nullptr;
      } else {
        for (HWND candidate : DesktopWindows(c.desktop, L"TMForm")) window = candidate;
      }
      return window && HasVisibleStyle(window);
    });
    ASSERT_TRUE(shown);
    const RECT placed = c.hosted ? RectInClient(window, host) : RectInClient(window, nullptr);
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.top, 0);
    EXPECT_GT(placed.right - placed.left, 500) << "wider than the screen";
  }
}

}  // namespace
}  // namespace zorva::driver
