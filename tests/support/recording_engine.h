#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "help/help_engine.h"

namespace zorva::test_support {

// One engine call as the engine saw it. The index command's data is the
// keyword's text; every other command's data is a number.
struct EngineCall {
  std::uintptr_t caller = 0;
  std::optional<std::string> file;
  unsigned command = 0;
  std::uintptr_t number = 0;
  std::string keyword;

  bool operator==(const EngineCall&) const = default;
  friend std::ostream& operator<<(std::ostream& out, const EngineCall& call) {
    return out << "{caller " << call.caller << ", file " << call.file.value_or("(null)") << ", command "
               << call.command << ", data "
               << (call.command == kEngineDisplayIndex ? call.keyword : std::to_string(call.number)) << "}";
  }
};

using EngineLog = std::vector<EngineCall>;

// An engine that writes down every call into a log the test keeps, and
// notes its own end.
class RecordingEngine final : public HelpEngine {
 public:
  RecordingEngine(std::shared_ptr<EngineLog> log, std::shared_ptr<bool> ended = nullptr)
      : log_(std::move(log)), ended_(std::move(ended)) {}
  ~RecordingEngine() override {
    if (ended_) *ended_ = true;
  }

  void Call(std::uintptr_t caller, const char* file, unsigned command, std::uintptr_t data) override {
    EngineCall call{caller, file ? std::optional<std::string>(file) : std::nullopt, command, 0, {}};
    if (command == kEngineDisplayIndex)
      call.keyword = reinterpret_cast<const char*>(data);
    else
      call.number = data;
    log_->push_back(call);
  }

 private:
  std::shared_ptr<EngineLog> log_;
  std::shared_ptr<bool> ended_;
};

inline EngineCall Shows(std::string file, unsigned command, std::uintptr_t number = 0) {
  return {0, std::move(file), command, number, {}};
}

inline EngineCall ShowsIndex(std::string file, std::string keyword) {
  return {0, std::move(file), kEngineDisplayIndex, 0, std::move(keyword)};
}

}  // namespace zorva::test_support
