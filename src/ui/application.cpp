#include "ui/application.h"

namespace zorva {

Application& TheApplication() {
  static Application application;
  return application;
}

}  // namespace zorva
