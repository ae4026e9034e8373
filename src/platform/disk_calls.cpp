#include "platform/disk_calls.h"

namespace platform {

namespace {

DiskCalls* standIn = nullptr;

}  // namespace

DiskCalls& diskCalls()
{
    return standIn ? *standIn : systemDiskCalls();
}

void setDiskCalls(DiskCalls* calls) { standIn = calls; }

}  // namespace platform
