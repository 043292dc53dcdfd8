#include "platform/system/Services.h"

namespace platform {
namespace {

// Constant-initialised, so that what is set before main, in a test build,
// is never overwritten by the record's own initialisation.
constinit Services installed;

}  // namespace

const Services& CurrentServices() { return installed; }

void UseServices(const Services& services) { installed = services; }

void ResetServices() { installed = Services(); }

}  // namespace platform
