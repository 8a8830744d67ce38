#include "help/html_help_viewer.h"

#include <algorithm>
#include <utility>

#include "help/help_file.h"

namespace zorva {

HtmlHelpViewer::HtmlHelpViewer(std::unique_ptr<HelpEngine> engine, std::string programFolder,
                               std::function<std::string()> applicationHelpFile)
    : engine_(std::move(engine)),
      programFolder_(std::move(programFolder)),
      applicationHelpFile_(std::move(applicationHelpFile)) {}

void HtmlHelpViewer::RegisterWith(HelpManager& manager) {
  manager_ = &manager.RegisterViewer(shared_from_this());
  manager.SetSelector(shared_from_this());
}

void HtmlHelpViewer::Unregister() {
  if (manager_) std::exchange(manager_, nullptr)->Release(viewerId_);
}

std::string HtmlHelpViewer::ResolveHelpFile() const {
  std::string file = manager_ ? manager_->HelpFile() : std::string();
  if (file.empty() && applicationHelpFile_) file = applicationHelpFile_();
  return InProgramFolder(file, programFolder_);
}

void HtmlHelpViewer::CallEngine(const char* file, unsigned command, std::uintptr_t data) {
  if (engine_) engine_->Call(manager_ ? manager_->CallerWindow() : 0, file, command, data);
}

int HtmlHelpViewer::CountKeywordMatches(const std::string&) { return IsChmFile(ResolveHelpFile()) ? 1 : 0; }

std::vector<std::string> HtmlHelpViewer::ListKeywordEntries(const std::string& keyword) {
  return {name_ + ": " + keyword};
}

void HtmlHelpViewer::OpenContents() {
  const std::string file = ResolveHelpFile();
  if (IsChmFile(file)) CallEngine(file.c_str(), kEngineDisplayContents, 0);
}

void HtmlHelpViewer::OpenKeyword(const std::string& entry) {
  const std::string file = ResolveHelpFile();
  if (!IsChmFile(file)) return;
  const std::string keyword = KeywordOfEntry(entry);
  CallEngine(file.c_str(), kEngineDisplayIndex, reinterpret_cast<std::uintptr_t>(keyword.c_str()));
}

void HtmlHelpViewer::CloseHelpWindows() {
  if (engine_) engine_->Call(0, nullptr, kEngineCloseAll, 0);
}

void HtmlHelpViewer::DetachFromManager() {
  CloseHelpWindows();
  manager_ = nullptr;
}

bool HtmlHelpViewer::CanOpenTopic(const std::string&) { return IsChmFile(ResolveHelpFile()); }

void HtmlHelpViewer::OpenTopic(const std::string& topic) {
  const std::string file = ResolveHelpFile();
  if (!IsChmFile(file)) return;
  const std::string page = file + "::/" + TopicPage(topic, defaultExtension_);
  CallEngine(page.c_str(), kEngineDisplayTopic, 0);
}

bool HtmlHelpViewer::CanOpenContext(int, const std::string& file) { return IsChmFile(file); }

// The file named with the request only decided CanOpenContext; the page
// comes from the resolved help file.
void HtmlHelpViewer::OpenContext(int context, const std::string&) {
  const std::string file = ResolveHelpFile();
  if (IsChmFile(file)) CallEngine(file.c_str(), kEngineHelpContext, static_cast<std::uintptr_t>(context));
}

int HtmlHelpViewer::PickKeywordEntry(const std::vector<std::string>& entries) {
  const auto mine = std::ranges::find_if(entries, [this](const std::string& entry) {
    return std::string_view(entry).substr(0, entry.find(':')) == name_;
  });
  return mine == entries.end() ? 0 : static_cast<int>(mine - entries.begin());
}

int HtmlHelpViewer::PickContentsViewer(const std::vector<std::string>& names) {
  const auto mine =
      std::ranges::find_if(names, [this](const std::string& name) { return EqualIgnoringCase(name, name_); });
  return mine == names.end() ? -1 : static_cast<int>(mine - names.begin());
}

}  // namespace zorva
