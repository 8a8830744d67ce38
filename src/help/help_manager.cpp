#include "help/help_manager.h"

#include <algorithm>
#include <utility>

#include "help/help_file.h"
#include "textforms/failure.h"
#include "textforms/failure_texts.h"

namespace zorva {
namespace {

[[noreturn]] void RaiseHelpFailure(FailureText text, std::initializer_list<FailureArgument> args = {}) {
  throw Failure(FailureKind::Help, ComposeFailureText(text, args));
}

// Texts offered by viewers, each with the viewer that offered it.
using Offers = std::vector<std::pair<std::string, std::shared_ptr<ICustomHelpViewer>>>;

// Sorts the offers by their text without regard to letter case (ties keep
// registration order) and lets the selector pick one; null when it picks
// none of them.
template <typename Pick>
const Offers::value_type* Choose(Offers& offers, Pick pick) {
  std::ranges::stable_sort(offers,
                           [](const auto& a, const auto& b) { return LessIgnoringCase(a.first, b.first); });
  std::vector<std::string> texts;
  for (const auto& offer : offers) texts.push_back(offer.first);
  const int index = pick(texts);
  if (index < 0 || static_cast<std::size_t>(index) >= offers.size()) return nullptr;
  return &offers[static_cast<std::size_t>(index)];
}

}  // namespace

HelpManager::~HelpManager() {
  for (const auto& entry : std::exchange(viewers_, {})) entry.viewer->DetachFromManager();
}

IHelpManager& HelpManager::RegisterViewer(std::shared_ptr<ICustomHelpViewer> viewer) {
  const int id = ++lastId_;
  viewer->AssignViewerId(id);
  if (auto extended = std::dynamic_pointer_cast<IExtendedHelpViewer>(viewer))
    extendedViewers_.push_back({std::move(extended), id});
  viewers_.push_back({std::move(viewer), id});
  return *this;
}

void HelpManager::SetSelector(std::shared_ptr<IHelpSelector> selector) { selector_ = std::move(selector); }

void HelpManager::Release(int viewerId) {
  std::erase_if(viewers_, [viewerId](const auto& entry) { return entry.id == viewerId; });
  std::erase_if(extendedViewers_, [viewerId](const auto& entry) { return entry.id == viewerId; });
}

void HelpManager::KeepHelpFile(const std::string& file) {
  if (!file.empty()) helpFile_ = file;
}

void HelpManager::ContextHelp(int context, const std::string& file) {
  KeepHelpFile(file);
  if (extendedViewers_.empty()) RaiseHelpFailure(FailureText::NoContextHelp);
  for (const auto& entry : std::vector(extendedViewers_)) {
    if (entry.viewer->CanOpenContext(context, file)) {
      entry.viewer->OpenContext(context, file);
      return;
    }
  }
}

void HelpManager::TopicHelp(const std::string& topic, const std::string& file) {
  KeepHelpFile(file);
  if (extendedViewers_.empty()) RaiseHelpFailure(FailureText::NoTopicHelp);
  for (const auto& entry : std::vector(extendedViewers_)) {
    if (entry.viewer->CanOpenTopic(topic)) {
      entry.viewer->OpenTopic(topic);
      return;
    }
  }
}

void HelpManager::KeywordHelp(const std::string& keyword, const std::string& file) {
  KeepHelpFile(file);
  std::vector<std::shared_ptr<ICustomHelpViewer>> matching;
  for (const auto& entry : std::vector(viewers_))
    if (entry.viewer->CountKeywordMatches(keyword) > 0) matching.push_back(entry.viewer);
  if (matching.empty()) RaiseHelpFailure(FailureText::NoHelpFor, {keyword});
  if (matching.size() == 1) {
    matching.front()->OpenKeyword(keyword);
    return;
  }

  Offers entries;
  for (const auto& viewer : matching)
    for (auto& text : viewer->ListKeywordEntries(keyword)) entries.emplace_back(std::move(text), viewer);
  if (entries.empty()) return;
  const auto* chosen = &entries.front();
  if (selector_)
    chosen = Choose(entries, [&](const auto& texts) { return selector_->PickKeywordEntry(texts); });
  if (chosen) chosen->second->OpenKeyword(chosen->first);
}

void HelpManager::ShowContents() {
  if (viewers_.size() == 1) {
    const auto viewer = viewers_.front().viewer;
    if (viewer->OffersContents()) viewer->OpenContents();
    return;
  }

  if (selector_) {
    Offers names;
    for (const auto& entry : std::vector(viewers_))
      if (entry.viewer->OffersContents()) names.emplace_back(entry.viewer->QueryName(), entry.viewer);
    if (names.empty()) RaiseHelpFailure(FailureText::NoTableOfContents);
    const auto* chosen = &names.front();
    if (names.size() >= 2)
      chosen = Choose(names, [&](const auto& texts) { return selector_->PickContentsViewer(texts); });
    if (chosen) chosen->second->OpenContents();
    return;
  }

  const auto first = viewers_.empty() ? nullptr : viewers_.front().viewer;
  if (!first || !first->OffersContents()) RaiseHelpFailure(FailureText::NoTableOfContents);
  first->OpenContents();
}

void HelpManager::HelpCommand(unsigned command, std::uintptr_t data, const std::string& file) {
  KeepHelpFile(file);
  switch (command) {
    case kHelpCommandContext:
      ContextHelp(static_cast<int>(data), file);
      break;
    case kHelpCommandQuit:
      for (const auto& entry : std::vector(viewers_)) entry.viewer->CloseHelpWindows();
      break;
    case kHelpCommandContents:
      ShowContents();
      break;
    default:
      break;
  }
}

}  // namespace zorva
