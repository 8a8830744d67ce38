#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "help/help_engine.h"
#include "help/help_manager.h"
#include "help/help_viewer.h"

namespace zorva {

// The program's own help viewer: it takes every request for a ".chm" help
// file and hands it to the HTML Help engine; as the manager's selector it
// always chooses itself. Without an engine (library or entry missing) every
// request is taken and silently dropped.
class HtmlHelpViewer final : public IExtendedHelpViewer,
                             public IHelpSelector,
                             public std::enable_shared_from_this<HtmlHelpViewer> {
 public:
  // applicationHelpFile gives the application's current help file, asked
  // when the manager has none; programFolder ends with its separator.
  HtmlHelpViewer(std::unique_ptr<HelpEngine> engine, std::string programFolder,
                 std::function<std::string()> applicationHelpFile);

  // Program start: registers with the manager and becomes its selector.
  void RegisterWith(HelpManager& manager);
  // Program end: the manager forgets this viewer; no help window is closed.
  void Unregister();

  // The help file a request is for: the manager's current one, else the
  // application's; a bare name lies in the program folder.
  std::string ResolveHelpFile() const;

  std::string QueryName() const override { return name_; }
  int CountKeywordMatches(const std::string& keyword) override;
  std::vector<std::string> ListKeywordEntries(const std::string& keyword) override;
  bool OffersContents() override { return true; }
  void OpenContents() override;
  void OpenKeyword(const std::string& entry) override;
  void AssignViewerId(int id) override { viewerId_ = id; }
  void CloseHelpWindows() override;
  void DetachFromManager() override;

  bool CanOpenTopic(const std::string& topic) override;
  void OpenTopic(const std::string& topic) override;
  bool CanOpenContext(int context, const std::string& file) override;
  void OpenContext(int context, const std::string& file) override;

  int PickKeywordEntry(const std::vector<std::string>& entries) override;
  int PickContentsViewer(const std::vector<std::string>& names) override;

 private:
  void CallEngine(const char* file, unsigned command, std::uintptr_t data);

  int viewerId_ = 0;
  const std::string name_ = "KuvHtmlHelp";
  std::unique_ptr<HelpEngine> engine_;
  IHelpManager* manager_ = nullptr;
  const std::string defaultExtension_ = ".htm";
  std::string programFolder_;
  std::function<std::string()> applicationHelpFile_;
};

}  // namespace zorva
