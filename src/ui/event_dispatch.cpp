#include "ui/event_dispatch.h"

#include <exception>
#include <string>

#include "textforms/failure.h"
#include "ui/failure_box.h"

namespace zorva {

bool RunHandler(const std::function<void()>& handler) {
  try {
    handler();
    return true;
  } catch (const Failure& failure) {
    ReportFailure(failure);
  } catch (const std::exception& other) {
    ReportFailure(Failure(FailureKind::System, other.what()));
  } catch (...) {
    ReportFailure(Failure(FailureKind::System, std::string()));
  }
  return false;
}

}  // namespace zorva
