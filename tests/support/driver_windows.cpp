// The driver: finding the program's windows, reading them, and their pixels.
#include "support/driver.h"

#include <filesystem>
#include <fstream>
#include <vector>

namespace zorva::driver {

// --- windows

namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

struct TopWindowQuery {
  DWORD process;
  std::wstring className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM lParam) {
  auto& query = *reinterpret_cast<TopWindowQuery*>(lParam);
  if (ProcessOf(window) == query.process && (query.className.empty() || ClassOf(window) == query.className))
    query.found.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM lParam) {
  reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopWindows(DWORD processId, const std::wstring& className) {
  TopWindowQuery query{processId, className, {}};
  EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

HWND WaitForTopWindow(DWORD processId, const std::wstring& className, const std::wstring& title,
                      Duration timeout) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopWindows(processId, className))
          if (IsWindowVisible(window) && (title.empty() || Text(window) == title)) {
            found = window;
            return true;
          }
        return false;
      },
      timeout);
  return found;
}

std::vector<HWND> DesktopWindows(const std::wstring& desktop, const std::wstring& className) {
  std::vector<HWND> all;
  if (HDESK handle = OpenDesktopW(desktop.c_str(), 0, FALSE, GENERIC_ALL)) {
    EnumDesktopWindows(handle, CollectChild, reinterpret_cast<LPARAM>(&all));
    CloseDesktop(handle);
  }
  std::vector<HWND> found;
  for (HWND window : all)
    if (ClassOf(window) == className) found.push_back(window);
  return found;
}

bool HasVisibleStyle(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

HWND FindChild(HWND parent, const std::wstring& className, const std::wstring& text) {
  for (HWND child : Children(parent))
    if ((className.empty() || ClassOf(child) == className) && (text.empty() || Text(child) == text))
      return child;
  return nullptr;
}

std::wstring Text(HWND window) {
  wchar_t text[4096] = {};
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                      &ignored);
  return text;
}

RECT ClientRectOnScreen(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

RECT RectInClient(HWND window, HWND relativeTo) {
  RECT rect{-1, -1, -1, -1};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, relativeTo, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

// --- pixels

COLORREF ScreenPixel(int x, int y) {
  const HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return colour;
}

void SaveScreenshot(HWND window, const std::wstring& file) {
  RECT rect;
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const int stride = (width * 3 + 3) & ~3;
  std::string pixels(static_cast<std::size_t>(stride) * height, '\0');

  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, previous);
  GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER fileHeader{};
  fileHeader.bfType = 0x4D42;
  fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
  fileHeader.bfSize = fileHeader.bfOffBits + static_cast<DWORD>(pixels.size());
  std::ofstream out(std::filesystem::path(file), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&fileHeader), sizeof fileHeader);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
}

}  // namespace zorva::driver
