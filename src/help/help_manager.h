#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "help/help_viewer.h"

namespace zorva {

// The application's help commands.
enum HelpCommandNumber : unsigned {
  kHelpCommandContext = 1,   // data: the context number
  kHelpCommandQuit = 2,      // every viewer closes its help windows
  kHelpCommandContents = 3,  // the table of contents
};

// The program's help layer: it keeps the registered viewers and the selector
// and routes each help request to one viewer. Requests that no viewer can
// serve raise a Failure of the help kind.
class HelpManager final : public IHelpManager {
 public:
  HelpManager() = default;
  HelpManager(const HelpManager&) = delete;
  HelpManager& operator=(const HelpManager&) = delete;
  // Viewers still registered are detached.
  ~HelpManager();

  // Appends the viewer to the lists, gives it the next id (from 1) and
  // returns the face it keeps.
  IHelpManager& RegisterViewer(std::shared_ptr<ICustomHelpViewer> viewer);
  // Replaces any earlier selector.
  void SetSelector(std::shared_ptr<IHelpSelector> selector);

  // Every request keeps a non-empty file name as the current help file.
  void ContextHelp(int context, const std::string& file);
  void KeywordHelp(const std::string& keyword, const std::string& file);
  void TopicHelp(const std::string& topic, const std::string& file);
  // One of the application's help commands. Other commands are for viewers
  // of raw help commands, and this platform registers none.
  void HelpCommand(unsigned command, std::uintptr_t data, const std::string& file);

  std::string HelpFile() const override { return helpFile_; }
  std::uintptr_t CallerWindow() const override { return 0; }
  void Release(int viewerId) override;

 private:
  template <typename Viewer>
  struct Entry {
    std::shared_ptr<Viewer> viewer;
    int id;
  };

  void KeepHelpFile(const std::string& file);
  void ShowContents();

  std::vector<Entry<ICustomHelpViewer>> viewers_;
  std::vector<Entry<IExtendedHelpViewer>> extendedViewers_;
  std::shared_ptr<IHelpSelector> selector_;
  std::string helpFile_;
  int lastId_ = 0;
};

}  // namespace zorva
