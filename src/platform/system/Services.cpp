#include "platform/system/Services.h"

namespace platform {
namespace {

Services installed;

}  // namespace

const Services& CurrentServices() { return installed; }

void UseServices(const Services& services) { installed = services; }

void ResetServices() { installed = Services(); }

}  // namespace platform
