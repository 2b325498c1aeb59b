#include "EntryCall.h"

#include "GuardedCall.h"

namespace numora::test {
namespace {

struct NamedOperation {
  const char* name;
  Operation op;
};
#define NUMORA_TEST_OPERATION(name, ordinal) {#name, &::name},
const NamedOperation kOperations[] = {NUMORA_OPERATION_EXPORTS(NUMORA_TEST_OPERATION)};
#undef NUMORA_TEST_OPERATION

}  // namespace

Outcome CallOperation(Operation op, uint16_t control_word) {
  const host::Outcome guarded = host::CallGuarded(op, control_word);
  Outcome outcome;
  outcome.kind = static_cast<Outcome::Kind>(guarded.kind);
  outcome.error_kind = guarded.error_kind;
  outcome.message = guarded.message;
  return outcome;
}

Operation FindOperation(const std::string& name) {
  for (const NamedOperation& entry : kOperations)
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
