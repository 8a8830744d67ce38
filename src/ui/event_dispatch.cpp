#include "ui/event_dispatch.h"

#include <exception>
#include <new>
#include <string>

#include "textforms/failure.h"
#include "textforms/failure_texts.h"
#include "ui/failure_box.h"

namespace zorva {

bool RunHandler(const std::function<void()>& handler) {
  try {
    handler();
    return true;
  } catch (const Failure& failure) {
    ReportFailure(failure);
  } catch (const std::bad_alloc&) {
    ReportFailure(Failure(FailureKind::System, ComposeFailureText(FailureText::OutOfMemory)));
  } catch (const std::exception& other) {
    ReportFailure(Failure(FailureKind::System, other.what()));
  } catch (...) {
    ReportFailure(Failure(FailureKind::System, std::string()));
  }
  return false;
}

}  // namespace zorva
