#include "platform/region.h"

#include <atomic>

namespace tarvelin {
namespace {

std::atomic<int> liveRegions{0};

}  // namespace

Region::Region(const Rect& rect) : rect_(rect) { ++liveRegions; }

Region::~Region() { --liveRegions; }

int Region::LiveCount() { return liveRegions.load(); }

}  // namespace tarvelin
