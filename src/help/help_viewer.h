#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The faces through which the help manager and its viewers talk to each
// other. A viewer is shared between the manager's lists and its selector
// slot; it lives as long as one of them holds it.
namespace zorva {

// The manager as a registered viewer sees it.
class IHelpManager {
 public:
  // The help file of the last request that named one; empty before any.
  virtual std::string HelpFile() const = 0;
  // The window that owns the help windows; the program gives them none (0).
  virtual std::uintptr_t CallerWindow() const = 0;
  // Forgets every list entry of the viewer with this id.
  virtual void Release(int viewerId) = 0;

 protected:
  ~IHelpManager() = default;
};

class ICustomHelpViewer {
 public:
  virtual ~ICustomHelpViewer() = default;

  virtual std::string QueryName() const = 0;
  virtual int CountKeywordMatches(const std::string& keyword) = 0;
  // Entries "<viewer name>: <keyword>" for the manager's selector.
  virtual std::vector<std::string> ListKeywordEntries(const std::string& keyword) = 0;
  virtual bool OffersContents() = 0;
  virtual void OpenContents() = 0;
  virtual void OpenKeyword(const std::string& entry) = 0;
  virtual void AssignViewerId(int id) = 0;
  virtual void CloseHelpWindows() = 0;
  // The manager is going away: close the help windows and forget it.
  virtual void DetachFromManager() = 0;
};

class IExtendedHelpViewer : public ICustomHelpViewer {
 public:
  virtual bool CanOpenTopic(const std::string& topic) = 0;
  virtual void OpenTopic(const std::string& topic) = 0;
  virtual bool CanOpenContext(int context, const std::string& file) = 0;
  virtual void OpenContext(int context, const std::string& file) = 0;
};

// Chooses among several viewers that could serve one request.
class IHelpSelector {
 public:
  virtual ~IHelpSelector() = default;
  // Index into the (sorted) keyword entries.
  virtual int PickKeywordEntry(const std::vector<std::string>& entries) = 0;
  // Index into the (sorted) viewer names, -1 for none.
  virtual int PickContentsViewer(const std::vector<std::string>& names) = 0;
};

}  // namespace zorva
