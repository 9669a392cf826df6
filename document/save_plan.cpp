#include "document/save_plan.h"

#include "document/notice.h"
#include "platform/atomic_file.h"

namespace orniva::document {

unsigned WriteSavePlan(const SavePlan& plan, const std::string& fileName, bool modified) {
  for (const SavePlan::File& file : plan.files) WriteFileAtomically(file.path, file.bytes);
  unsigned bits = 0;
  if (plan.dataPath != fileName) bits |= kFileNameChanged;
  if (modified) bits |= kSavedStateChanged;
  return bits;
}

}  // namespace orniva::document
