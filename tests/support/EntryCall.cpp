#include "EntryCall.h"

#include "GuardedCall.h"
#include "support/OperationList.h"

namespace numora::test {

Outcome CallOperation(Operation op, uint16_t control_word, uint16_t raised_flags) {
  const host::Outcome guarded = host::CallGuarded(op, host::CallState{control_word, raised_flags});
  Outcome outcome;
  outcome.kind = static_cast<Outcome::Kind>(guarded.kind);
  outcome.error_kind = guarded.error_kind;
  outcome.message = guarded.message;
  outcome.control_word_after = guarded.control_word_after;
  outcome.status_word_after = guarded.status_word_after;
  return outcome;
}

Operation FindOperation(const std::string& name) {
  for (const OperationEntry& entry : kAllOperations)
    if (name == entry.name) return entry.op;
  return nullptr;
}

std::string Describe(const Outcome& outcome) {
  switch (outcome.kind) {
    case Outcome::Kind::kNormal:
      return "normal return";
    case Outcome::Kind::kError:
      return "!" + outcome.error_kind + " " + outcome.message;
    case Outcome::Kind::kFault:
      return "!FPE " + outcome.message;
  }
  return "";
}

}  // namespace numora::test
